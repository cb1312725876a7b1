// The wallpaper list wallpaperList as a real list view: report view with the one column "壁纸文件" (370),
// grid lines, whole-row and multiple selection kept visible when the list loses the focus,
// icons from the shared system small-icon list. It mirrors the WallpaperList model (its
// `Changed` observer belongs to the view while it lives), turns selection changes into the
// model's calls ("OnWallpaperListChanged"), a double-click into OnDblClick ("OnWallpaperRowDoubleClicked") and a drag
// of rows inside the list into MoveSelectedBefore ("OnWallpaperRowsDropped"). The parent forwards WM_NOTIFY.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>

#include "controls/win32/ActionGuard.h"
#include "wallpaper/WallpaperList.h"

namespace tovr::wallpaper::win32 {

inline constexpr char kListColumnCaption[] = "壁纸文件";
inline constexpr int kListColumnWidth = 370;

class WallpaperListView {
 public:
  WallpaperListView(HWND parent, WallpaperList& model, int id, const RECT& rect, HFONT font);
  ~WallpaperListView();
  WallpaperListView(const WallpaperListView&) = delete;
  WallpaperListView& operator=(const WallpaperListView&) = delete;

  HWND Handle() const { return hwnd_; }
  void SetGuard(controls::win32::ActionGuard guard) { guard_ = std::move(guard); }
  void SetImages(HIMAGELIST images);  // shared: not destroyed by the list view
  bool OnNotify(LPARAM lParam, LRESULT& result);
  std::function<void()> OnDblClick;
  void Rebuild();

 private:
  static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  void Follow(const ListChange& change);
  void WriteRow(std::size_t row, UINT message);
  void SelectRow(std::size_t row);
  // The drop target under a client point: the row there, none below the last row.
  std::optional<std::size_t> TargetAt(POINT client) const;
  void Highlight(std::optional<std::size_t> row);
  void EndDrag(bool drop, POINT client);

  HWND hwnd_ = nullptr;
  WallpaperList& model_;
  controls::win32::ActionGuard guard_;
  int updating_ = 0;
  bool dragging_ = false;
  std::optional<std::size_t> highlighted_;
};

}  // namespace tovr::wallpaper::win32
