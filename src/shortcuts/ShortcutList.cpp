#include "shortcuts/ShortcutList.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "base/Error.h"
#include "base/Text.h"

namespace tovr::shortcuts {

namespace {

int IconOf(const ShortcutPorts& ports, TargetKind kind, const std::string& target) {
  switch (kind) {
    case TargetKind::File:
    case TargetKind::Folder: return ListIconIndex(ports.icons, ports.files, target, kind == TargetKind::Folder);
    case TargetKind::Url: return kUrlIconIndex;
    case TargetKind::Missing: break;
  }
  return kMissingIconIndex;
}

const std::string& Column(const ShortcutEntry& e, int column) {
  return column == kColumnName ? e.name : column == kColumnTarget ? e.target : e.typeText;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The first eight bytes of a sort key as a big-endian number, zero-padded: when two of these
// differ they order the keys as the full byte comparison would.
std::uint64_t KeyPrefix(std::string_view key) {
  std::uint64_t p = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    p = (p << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
  }
  return p;
}

// The sort keys of one column for every row, each text encoded once, in one buffer.
class ColumnKeys {
 public:
  ColumnKeys(const std::vector<const ShortcutEntry*>& rows, int column) {
    offsets_.reserve(rows.size() + 1);
    offsets_.push_back(0);
    for (const ShortcutEntry* e : rows) {
      bytes_ += ShortcutSortKey(Column(*e, column));
      offsets_.push_back(bytes_.size());
    }
  }
  std::string_view operator[](std::size_t row) const {
    return std::string_view(bytes_).substr(offsets_[row], offsets_[row + 1] - offsets_[row]);
  }

 private:
  std::string bytes_;
  std::vector<std::size_t> offsets_;
};

// For a column of few distinct texts: each row's rank in the order of those texts (equal texts,
// equal rank).
std::vector<std::uint32_t> TypeRanks(const std::vector<const ShortcutEntry*>& rows, int column) {
  std::vector<std::string_view> distinct;
  std::vector<std::uint32_t> which(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string& text = Column(*rows[i], column);
    std::size_t d = 0;
    while (d < distinct.size() && distinct[d] != text) ++d;
    if (d == distinct.size()) distinct.push_back(text);
    which[i] = static_cast<std::uint32_t>(d);
  }
  std::vector<std::string> keys;
  keys.reserve(distinct.size());
  for (std::string_view t : distinct) keys.push_back(ShortcutSortKey(t));
  std::vector<std::uint32_t> rankOf(distinct.size());
  for (std::size_t d = 0; d < distinct.size(); ++d) {
    std::uint32_t rank = 0;
    for (const std::string& k : keys) rank += k < keys[d] ? 1 : 0;
    rankOf[d] = rank;
  }
  for (std::uint32_t& w : which) w = rankOf[w];
  return which;
}

}  // namespace

ShortcutList::ShortcutList(ShortcutPorts ports) : ports_(ports) {}

std::vector<ShortcutEntry> ShortcutList::Entries() const {
  std::vector<ShortcutEntry> out;
  out.reserve(rows_.size());
  for (const Row& r : rows_) out.push_back(r.entry);
  return out;
}

// ---- Adding ------------------------------------------------------------------------------

bool ShortcutList::AddShortcut(std::string name, std::string target, bool deriveName) {
  if (IsShellLinkPath(target)) target = ports_.links.ResolveShellLink(target);
  const TargetKind kind = ListedKindOf(ports_.files, target);
  const bool given = !deriveName || kind == TargetKind::Url;
  if (!given) name = DerivedName(kind, target);
  // A name derived empty (a missing target, a file name without ".") is kept as the list has
  // always kept it; any other name must survive the trip through [Apps].
  if ((given || !name.empty()) && RefuseUnstorable(name)) return false;
  // The common case, neither taken, costs one probe of each index; a refusal leaves the index
  // as it was and shows the check's message.
  if (!IndexIfNew(name, target)) {
    ShortcutTaken(name, target);  // the name or the target is there: shows which
    return false;
  }

  Row row;
  row.entry.name = std::move(name);
  row.entry.target = std::move(target);
  row.entry.typeText = TypeTextOf(kind);
  row.kind = kind;
  try {
    row.entry.iconIndex = iconsLater_ ? kIconLater : IconOf(ports_, kind, row.entry.target);
  } catch (...) {
    Unindex(row.entry);
    throw;
  }
  rows_.push_back(std::move(row));
  Notify(ListChange::Inserted, rows_.size() - 1);
  return true;
}

std::optional<std::string> ShortcutList::TakenMessage(std::string_view name,
                                                      std::string_view target) const {
  const bool nameHit = names_.contains(name), targetHit = targets_.contains(target);
  if (!nameHit && !targetHit) return std::nullopt;
  if (nameHit && targetHit) {
    // Both are taken, maybe by different rows: the first row that matches decides.
    for (const Row& r : rows_) {
      if (text::EqualsIgnoreAsciiCase(r.entry.name, name)) break;
      if (text::EqualsIgnoreAsciiCase(r.entry.target, target)) {
        return FormatMessage1(kTargetTakenMessage, target);
      }
    }
  }
  if (nameHit) return FormatMessage1(kNameTakenMessage, name);
  return FormatMessage1(kTargetTakenMessage, target);
}

bool ShortcutList::ShortcutTaken(std::string_view name, std::string_view target) {
  std::optional<std::string> message = TakenMessage(name, target);
  if (!message) return false;
  ports_.messages.Show(*message, kErrorCaption, kRefusalFlags);
  return true;
}

bool ShortcutList::RefuseUnstorable(std::string_view name) {
  if (IsStorableName(name)) return false;
  ports_.messages.Show(FormatMessage1(kNameNotStorableMessage, name), kErrorCaption,
                       kRefusalFlags);
  return true;
}

// ---- Changing rows -------------------------------------------------------------------------

bool ShortcutList::AcceptNameFor(std::size_t row, std::string_view name) {
  if (RefuseUnstorable(name)) return false;
  auto it = names_.find(name);
  const int holders = it == names_.end() ? 0 : it->second;
  const int own = text::EqualsIgnoreAsciiCase(rows_[row].entry.name, name) ? 1 : 0;
  if (holders - own > 0) {
    ports_.messages.Show(FormatMessage1(kNameTakenMessage, name), kErrorCaption, kRefusalFlags);
    return false;
  }
  return true;
}

void ShortcutList::SetName(std::size_t row, std::string name) {
  ShortcutEntry& e = rows_[row].entry;
  if (e.name == name) return;
  Unindex(e);
  e.name = std::move(name);
  Index(e);
  Notify(ListChange::Updated, row);
}

void ShortcutList::SetTarget(std::size_t row, std::string target) {
  ShortcutEntry& e = rows_[row].entry;
  if (e.target == target) return;
  Unindex(e);
  e.target = std::move(target);
  Index(e);
  Notify(ListChange::Updated, row);
}

void ShortcutList::Retarget(std::size_t row, std::string target, TargetKind kind) {
  ShortcutEntry& e = rows_[row].entry;
  const int icon = IconOf(ports_, kind, target);
  rows_[row].kind = kind;
  Unindex(e);
  e.target = std::move(target);
  e.typeText = TypeTextOf(kind);
  e.iconIndex = icon;
  Index(e);
  Notify(ListChange::Updated, row);
}

void ShortcutList::Remove(std::size_t row) {
  Unindex(rows_[row].entry);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
  Notify(ListChange::Removed, row);
}

void ShortcutList::Reserve(std::size_t rows) {
  rows_.reserve(rows);
  names_.reserve(rows);
  targets_.reserve(rows);
}

void ShortcutList::Clear() {
  if (rows_.empty()) return;
  rows_.clear();
  names_.clear();
  targets_.clear();
  Notify(ListChange::Reset, 0);
}

// ---- Selection -----------------------------------------------------------------------------

void ShortcutList::SetSelected(std::size_t row, bool selected) {
  if (rows_[row].selected == selected) return;
  rows_[row].selected = selected;
  Notify(ListChange::Selection, row);
}

void ShortcutList::SelectOnly(std::size_t row) {
  for (std::size_t i = 0; i < rows_.size(); ++i) SetSelected(i, i == row);
}

void ShortcutList::ClearSelection() {
  for (std::size_t i = 0; i < rows_.size(); ++i) SetSelected(i, false);
}

std::vector<std::size_t> ShortcutList::SelectedRows() const {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].selected) out.push_back(i);
  }
  return out;
}

std::optional<std::size_t> ShortcutList::FirstSelected() const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].selected) return i;
  }
  return std::nullopt;
}

// ---- Order ---------------------------------------------------------------------------------

int ShortcutList::CompareShortcutRows(std::size_t a, std::size_t b) const {
  return CompareShortcutText(Column(rows_[a].entry, sortColumn_), Column(rows_[b].entry, sortColumn_));
}

void ShortcutList::SortBy(int column) {
  sortColumn_ = column;
  SortRows(column, -1);
}

namespace {

struct SortItem {
  std::uint32_t rank;
  std::uint32_t row;
  std::uint64_t prefix;
};

// Orders items [begin, end), whose key bytes before `depth` are equal, by their keys and then
// by row: eight key bytes at a time compared as one number, refining runs that tie.
void SortByKeys(std::vector<SortItem>& items, std::size_t begin, std::size_t end,
                std::size_t depth, const ColumnKeys& keys) {
  auto first = items.begin() + static_cast<std::ptrdiff_t>(begin);
  auto last = items.begin() + static_cast<std::ptrdiff_t>(end);
  bool longer = false;  // some key goes on past these eight bytes
  for (auto it = first; it != last; ++it) {
    const std::string_view key = keys[it->row];
    it->prefix = KeyPrefix(key.substr(std::min(depth, key.size())));
    longer = longer || key.size() > depth + 8;
  }
  std::sort(first, last, [](const SortItem& x, const SortItem& y) {
    return x.prefix != y.prefix ? x.prefix < y.prefix : x.row < y.row;
  });
  for (std::size_t i = begin; i < end;) {
    std::size_t j = i + 1;
    while (j < end && items[j].prefix == items[i].prefix) ++j;
    if (j - i > 1) {
      if (longer) {
        SortByKeys(items, i, j, depth + 8, keys);
      } else {
        // Equal bytes, zero padding aside: a shorter key is the start of a longer one.
        std::sort(items.begin() + static_cast<std::ptrdiff_t>(i),
                  items.begin() + static_cast<std::ptrdiff_t>(j),
                  [&](const SortItem& x, const SortItem& y) {
                    const std::size_t a = keys[x.row].size(), b = keys[y.row].size();
                    return a != b ? a < b : x.row < y.row;
                  });
      }
    }
    i = j;
  }
}

}  // namespace

// Each text is encoded once. The type column has a handful of distinct texts and is sorted by
// their ranks; other texts by their keys. Ties fall to the row's position, so the order is the
// stable one.
void ShortcutList::SortRows(int primary, int secondary) {
  std::vector<const ShortcutEntry*> entries;
  entries.reserve(rows_.size());
  for (const Row& r : rows_) entries.push_back(&r.entry);
  const bool ranked = primary == kColumnType;
  const int keyed = ranked ? secondary : primary;
  std::vector<std::uint32_t> ranks =
      ranked ? TypeRanks(entries, kColumnType) : std::vector<std::uint32_t>(rows_.size(), 0);
  // The rows grouped by rank, each group in row order (a counting sort).
  std::vector<std::size_t> next(rows_.size() + 1, 0);
  for (std::uint32_t r : ranks) ++next[r + 1];
  for (std::size_t r = 1; r < next.size(); ++r) next[r] += next[r - 1];
  std::vector<SortItem> items(rows_.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[next[ranks[i]]++] = SortItem{ranks[i], static_cast<std::uint32_t>(i), 0};
  }
  if (keyed >= 0) {
    const ColumnKeys keys(entries, keyed);
    for (std::size_t i = 0; i < items.size();) {
      std::size_t j = i + 1;
      while (j < items.size() && items[j].rank == items[i].rank) ++j;
      SortByKeys(items, i, j, 0, keys);
      i = j;
    }
  }
  std::vector<std::size_t> order(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) order[i] = items[i].row;
  Permute(order);
}

void ShortcutList::Permute(const std::vector<std::size_t>& order) {
  std::vector<Row> sorted;
  sorted.reserve(rows_.size());
  for (std::size_t i : order) sorted.push_back(std::move(rows_[i]));
  rows_ = std::move(sorted);
}

void ShortcutList::OnShortcutColumnClicked(int column) {
  SortBy(column);
  Notify(ListChange::Reordered, 0);
}

void ShortcutList::SortShortcuts() {
  // By Name, then stably by TypeText: one stable sort on (TypeText, Name) orders the same.
  sortColumn_ = kColumnType;
  SortRows(kColumnType, kColumnName);
  Notify(ListChange::Reordered, 0);
}

// ---- In-place rename -----------------------------------------------------------------------

void ShortcutList::OnShortcutNameEdited(std::size_t row, const std::string& newName) {
  if (!ShortcutTaken(newName, "") && !RefuseUnstorable(newName)) SetName(row, newName);
  SortShortcuts();
}

// ---- Index and notification ----------------------------------------------------------------

std::size_t ShortcutList::FoldedHash::operator()(std::string_view s) const {
  // The hash of the folded bytes; names and paths are short enough to fold on the stack.
  char buf[512];
  if (s.size() > sizeof buf) return std::hash<std::string>{}(text::AsciiLower(s));
  for (std::size_t i = 0; i < s.size(); ++i) buf[i] = FoldAscii(s[i]);
  return std::hash<std::string_view>{}(std::string_view(buf, s.size()));
}

bool ShortcutList::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return text::EqualsIgnoreAsciiCase(a, b);
}

bool ShortcutList::IndexIfNew(const std::string& name, const std::string& target) {
  auto [n, nameNew] = names_.try_emplace(name, 1);
  if (!nameNew) return false;
  if (targets_.try_emplace(target, 1).second) return true;
  names_.erase(n);
  return false;
}

void ShortcutList::Index(const ShortcutEntry& e) {
  ++names_[e.name];
  ++targets_[e.target];
}

void ShortcutList::Unindex(const ShortcutEntry& e) {
  auto drop = [](CountIndex& map, const std::string& key) {
    auto it = map.find(key);
    if (it != map.end() && --it->second == 0) map.erase(it);
  };
  drop(names_, e.name);
  drop(targets_, e.target);
}

void ShortcutList::LookUpLaterIcons() {
  iconsLater_ = false;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    ShortcutEntry& e = rows_[i].entry;
    if (e.iconIndex != kIconLater) continue;
    e.iconIndex = IconOf(ports_, rows_[i].kind, e.target);
    if (Changed) Changed(ListChange{ListChange::Updated, i});
  }
}

void ShortcutList::Notify(ListChange::Kind kind, std::size_t row) {
  if (Changed) Changed(ListChange{kind, row});
  if (kind != ListChange::Reordered && OnChange) OnChange();
}

}  // namespace tovr::shortcuts
