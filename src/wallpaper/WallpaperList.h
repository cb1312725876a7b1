// The wallpaper list wallpaperList as the logic sees it: the pictures in the user's order, their icons and
// selection, the uniqueness check of AddWallpaper (exact, case-sensitive), the longest path the
// system's 260-unit wallpaper buffer takes, and the reordering by drag and drop. The Win32 list
// view mirrors it through `Changed`; the page sets its flags through `OnChange`.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tovr::wallpaper {

// A path of this many UTF-16 units or more does not fit, with its terminating NUL, into the
// 260-unit buffers (MAX_PATH) that the system's wallpaper calls use.
inline constexpr std::size_t kMaxPathUnits = 260;
bool PathFits(std::string_view path);

struct WallpaperRow {
  std::string path;
};

// What changed, for the view. `row` is the row concerned (Inserted: its new position; Removed:
// its former position); Reset and Reordered concern the whole list.
struct ListChange {
  enum Kind { Inserted, Removed, Updated, Selection, Reset, Reordered };
  Kind kind;
  std::size_t row = 0;
};

enum class AddResult { Added, Duplicate, TooLong };

class WallpaperList {
 public:
  // `iconIndex` is ShellIconIndex: the path's small icon in the shared system list. A row's
  // icon is looked up when it is first asked for, by the list view as it shows the row: the
  // pictures loaded at start-up cost no look-up until the page is made.
  explicit WallpaperList(std::function<int(const std::string&)> iconIndex);
  WallpaperList(const WallpaperList&) = delete;
  WallpaperList& operator=(const WallpaperList&) = delete;

  std::size_t Count() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }
  const WallpaperRow& operator[](std::size_t row) const { return rows_[row].row; }
  int IconIndex(std::size_t row) const;

  // AddWallpaper: appends the path unless a row has exactly this path (Duplicate) or the path
  // does not fit the system's buffer (TooLong; never cut).
  AddResult Add(std::string path);
  // Modify: the row's path, no duplicate check, the icon kept. False when the path is too long.
  bool SetPath(std::size_t row, std::string path);
  void Remove(std::size_t row);
  void Clear();
  void Reserve(std::size_t rows);

  bool Selected(std::size_t row) const { return rows_[row].selected; }
  void SetSelected(std::size_t row, bool selected);
  void SelectOnly(std::size_t row);
  void ClearSelection();
  std::size_t SelectedCount() const { return selectedCount_; }
  std::vector<std::size_t> SelectedRows() const;
  std::optional<std::size_t> FirstSelected() const;
  // The lowest row whose path equals `path` exactly.
  std::optional<std::size_t> Find(std::string_view path) const;

  // A drop inside the list: the selected rows, in their order, move to stand immediately
  // before `target` (the row under the drop point), or at the end when there is none; they
  // stay selected. A target that is itself selected means the first unselected row after it.
  void MoveSelectedBefore(std::optional<std::size_t> target);

  std::function<void(const ListChange&)> Changed;  // for the view
  std::function<void()> OnChange;                  // OnWallpaperListChanged: any row or selection change
  std::function<void(std::size_t row)> OnSelectionChange;  // after a row's selection changed

 private:
  struct Row {
    WallpaperRow row;
    bool selected = false;
    mutable std::optional<int> icon;  // looked up at the first IconIndex
  };
  void Index(const std::string& path);
  void Unindex(const std::string& path);
  void Notify(ListChange::Kind kind, std::size_t row);

  std::function<int(const std::string&)> iconIndex_;
  std::vector<Row> rows_;
  std::size_t selectedCount_ = 0;
  std::unordered_map<std::string, int> paths_;  // path -> rows holding it
};

}  // namespace tovr::wallpaper
