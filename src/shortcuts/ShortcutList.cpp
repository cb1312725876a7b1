#include "shortcuts/ShortcutList.h"

#include <algorithm>
#include <utility>

#include "base/Error.h"
#include "base/Text.h"

namespace tovr::shortcuts {

namespace {

int IconOf(IShellIcons& icons, TargetKind kind, const std::string& target) {
  switch (kind) {
    case TargetKind::File:
    case TargetKind::Folder: return icons.ShellIconIndex(target);
    case TargetKind::Url: return kUrlIconIndex;
    case TargetKind::Missing: break;
  }
  return kMissingIconIndex;
}

const std::string& Column(const ShortcutEntry& e, int column) {
  return column == kColumnName ? e.name : column == kColumnTarget ? e.target : e.typeText;
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

bool ShortcutList::AddShortcut(const std::string& name, const std::string& target,
                               bool deriveName) {
  std::string resolved = IsShellLinkPath(target) ? ports_.links.ResolveShellLink(target) : target;
  const TargetKind kind = TargetKindOf(ports_.files, resolved);
  const bool given = !deriveName || kind == TargetKind::Url;
  std::string finalName = given ? name : DerivedName(kind, resolved);
  // A name derived empty (a missing target, a file name without ".") is kept as the list has
  // always kept it; any other name must survive the trip through [Apps].
  if ((given || !finalName.empty()) && RefuseUnstorable(finalName)) return false;
  if (ShortcutTaken(finalName, resolved)) return false;

  Row row;
  row.entry.iconIndex = IconOf(ports_.icons, kind, resolved);
  row.entry.typeText = TypeTextOf(kind);
  row.entry.name = std::move(finalName);
  row.entry.target = std::move(resolved);
  Index(row.entry);
  rows_.push_back(std::move(row));
  Notify(ListChange::Inserted, rows_.size() - 1);
  return true;
}

std::optional<std::string> ShortcutList::TakenMessage(std::string_view name,
                                                      std::string_view target) const {
  const std::string n = text::AsciiLower(name), t = text::AsciiLower(target);
  const bool nameHit = names_.contains(n), targetHit = targets_.contains(t);
  if (!nameHit && !targetHit) return std::nullopt;
  if (nameHit && targetHit) {
    // Both are taken, maybe by different rows: the first row that matches decides.
    for (const Row& r : rows_) {
      if (text::AsciiLower(r.entry.name) == n) break;
      if (text::AsciiLower(r.entry.target) == t) return FormatMessage1(kTargetTakenMessage, target);
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
  const std::string n = text::AsciiLower(name);
  auto it = names_.find(n);
  const int holders = it == names_.end() ? 0 : it->second;
  const int own = text::AsciiLower(rows_[row].entry.name) == n ? 1 : 0;
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
  const int icon = IconOf(ports_.icons, kind, target);
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

int ShortcutList::LVCompare(std::size_t a, std::size_t b) const {
  return CompareShortcutText(Column(rows_[a].entry, sortColumn_), Column(rows_[b].entry, sortColumn_));
}

void ShortcutList::SortBy(int column) {
  sortColumn_ = column;
  // Each text is encoded once; the stable sort then moves indexes over the prepared bytes.
  std::vector<std::string> keys;
  keys.reserve(rows_.size());
  for (const Row& r : rows_) keys.push_back(ShortcutSortKey(Column(r.entry, column)));
  std::vector<std::size_t> order(rows_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t x, std::size_t y) { return keys[x] < keys[y]; });
  Permute(order);
}

void ShortcutList::Permute(const std::vector<std::size_t>& order) {
  std::vector<Row> sorted;
  sorted.reserve(rows_.size());
  for (std::size_t i : order) sorted.push_back(std::move(rows_[i]));
  rows_ = std::move(sorted);
}

void ShortcutList::LVColumnClick(int column) {
  SortBy(column);
  Notify(ListChange::Reordered, 0);
}

void ShortcutList::SortShortcuts() {
  // By Name, then stably by TypeText: one stable sort on (TypeText, Name) orders the same.
  sortColumn_ = kColumnType;
  std::vector<std::string> names;
  std::vector<std::string> types;
  names.reserve(rows_.size());
  types.reserve(rows_.size());
  for (const Row& r : rows_) {
    names.push_back(ShortcutSortKey(r.entry.name));
    types.push_back(ShortcutSortKey(r.entry.typeText));
  }
  std::vector<std::size_t> order(rows_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    const int c = types[x].compare(types[y]);
    return c != 0 ? c < 0 : names[x] < names[y];
  });
  Permute(order);
  Notify(ListChange::Reordered, 0);
}

// ---- In-place rename -----------------------------------------------------------------------

void ShortcutList::LVEdited(std::size_t row, const std::string& newName) {
  if (!ShortcutTaken(newName, "") && !RefuseUnstorable(newName)) SetName(row, newName);
  SortShortcuts();
}

// ---- Index and notification ----------------------------------------------------------------

void ShortcutList::Index(const ShortcutEntry& e) {
  ++names_[text::AsciiLower(e.name)];
  ++targets_[text::AsciiLower(e.target)];
}

void ShortcutList::Unindex(const ShortcutEntry& e) {
  auto drop = [](std::unordered_map<std::string, int>& map, const std::string& key) {
    auto it = map.find(key);
    if (it != map.end() && --it->second == 0) map.erase(it);
  };
  drop(names_, text::AsciiLower(e.name));
  drop(targets_, text::AsciiLower(e.target));
}

void ShortcutList::Notify(ListChange::Kind kind, std::size_t row) {
  if (Changed) Changed(ListChange{kind, row});
  if (kind != ListChange::Reordered && OnChange) OnChange();
}

}  // namespace tovr::shortcuts
