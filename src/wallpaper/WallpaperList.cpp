#include "wallpaper/WallpaperList.h"

#include <utility>

#include "base/Text.h"

namespace tovr::wallpaper {

bool PathFits(std::string_view path) {
  // Short paths need no conversion: a UTF-8 byte never makes more than one UTF-16 unit.
  if (path.size() < kMaxPathUnits) return true;
  return text::Utf8ToUtf16(path).size() < kMaxPathUnits;
}

WallpaperList::WallpaperList(std::function<int(const std::string&)> iconIndex)
    : iconIndex_(std::move(iconIndex)) {}

void WallpaperList::Index(const std::string& path) { ++paths_[path]; }

void WallpaperList::Unindex(const std::string& path) {
  auto it = paths_.find(path);
  if (it != paths_.end() && --it->second <= 0) paths_.erase(it);
}

void WallpaperList::Notify(ListChange::Kind kind, std::size_t row) {
  if (Changed) Changed({kind, row});
  if (OnChange) OnChange();
}

AddResult WallpaperList::Add(std::string path) {
  if (paths_.contains(path)) return AddResult::Duplicate;
  if (!PathFits(path)) return AddResult::TooLong;
  Index(path);
  rows_.push_back({{std::move(path)}, false, std::nullopt});
  Notify(ListChange::Inserted, rows_.size() - 1);
  return AddResult::Added;
}

int WallpaperList::IconIndex(std::size_t row) const {
  const Row& r = rows_[row];
  if (!r.icon) r.icon = iconIndex_ ? iconIndex_(r.row.path) : -1;
  return *r.icon;
}

bool WallpaperList::SetPath(std::size_t row, std::string path) {
  if (!PathFits(path)) return false;
  IconIndex(row);  // the icon stays the old path's
  Unindex(rows_[row].row.path);
  Index(path);
  rows_[row].row.path = std::move(path);
  Notify(ListChange::Updated, row);
  return true;
}

void WallpaperList::Remove(std::size_t row) {
  Unindex(rows_[row].row.path);
  if (rows_[row].selected) --selectedCount_;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
  Notify(ListChange::Removed, row);
}

void WallpaperList::Clear() {
  const bool had = !rows_.empty();
  rows_.clear();
  paths_.clear();
  selectedCount_ = 0;
  if (had) Notify(ListChange::Reset, 0);
}

void WallpaperList::Reserve(std::size_t rows) {
  rows_.reserve(rows);
  paths_.reserve(rows);
}

void WallpaperList::SetSelected(std::size_t row, bool selected) {
  if (rows_[row].selected == selected) return;
  rows_[row].selected = selected;
  selected ? ++selectedCount_ : --selectedCount_;
  Notify(ListChange::Selection, row);
  if (OnSelectionChange) OnSelectionChange(row);
}

void WallpaperList::SelectOnly(std::size_t row) {
  for (std::size_t i = 0; i < rows_.size() && selectedCount_ > 0; ++i) {
    if (i != row) SetSelected(i, false);
  }
  SetSelected(row, true);
}

void WallpaperList::ClearSelection() {
  for (std::size_t i = 0; i < rows_.size() && selectedCount_ > 0; ++i) SetSelected(i, false);
}

std::vector<std::size_t> WallpaperList::SelectedRows() const {
  std::vector<std::size_t> out;
  out.reserve(selectedCount_);
  for (std::size_t i = 0; i < rows_.size() && out.size() < selectedCount_; ++i) {
    if (rows_[i].selected) out.push_back(i);
  }
  return out;
}

std::optional<std::size_t> WallpaperList::FirstSelected() const {
  if (selectedCount_ == 0) return std::nullopt;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].selected) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> WallpaperList::Find(std::string_view path) const {
  if (!paths_.contains(std::string(path))) return std::nullopt;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].row.path == path) return i;
  }
  return std::nullopt;
}

// Every row is kept and moved at most once: the result is the unselected rows in their order
// with the selected block inserted at the target's place among them.
void WallpaperList::MoveSelectedBefore(std::optional<std::size_t> target) {
  if (selectedCount_ == 0) return;
  std::size_t at = rows_.size();  // the target's index among the unselected rows
  if (target && *target < rows_.size()) {
    std::size_t unselectedBefore = 0;
    for (std::size_t i = 0; i < *target; ++i) unselectedBefore += rows_[i].selected ? 0 : 1;
    at = unselectedBefore;
  }
  std::vector<Row> moved, kept;
  moved.reserve(selectedCount_);
  kept.reserve(rows_.size() - selectedCount_);
  for (Row& r : rows_) (r.selected ? moved : kept).push_back(std::move(r));
  if (at > kept.size()) at = kept.size();
  std::vector<Row> result;
  result.reserve(rows_.size());
  for (std::size_t i = 0; i < at; ++i) result.push_back(std::move(kept[i]));
  for (Row& r : moved) result.push_back(std::move(r));
  for (std::size_t i = at; i < kept.size(); ++i) result.push_back(std::move(kept[i]));
  rows_ = std::move(result);
  Notify(ListChange::Reordered, 0);
}

}  // namespace tovr::wallpaper
