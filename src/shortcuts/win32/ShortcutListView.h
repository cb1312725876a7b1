// The shortcut list shortcutList as a real list view: report view with the columns "文件名别称" (120),
// "所执行的文件" (230) and "类型" (50), grid lines, whole-row and multiple selection kept visible
// when the list loses the focus, names edited in place, icons from the shared system small-icon
// list, no sorting of its own. It mirrors the ShortcutList model (its `Changed` observer belongs
// to the view while it lives) and turns the user's actions into the model's calls: selection,
// the end of an in-place edit (OnShortcutNameEdited), a header click (OnShortcutColumnClicked); a double-click goes to
// OnDblClick. The parent forwards WM_NOTIFY to OnNotify.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "controls/win32/ActionGuard.h"
#include "shortcuts/ShortcutList.h"

namespace tovr::shortcuts::win32 {

class ShortcutListView {
 public:
  // Creates the list view at `rect` (parent client coordinates) with command id `id`.
  ShortcutListView(HWND parent, ShortcutList& model, int id, const RECT& rect, HFONT font);
  ~ShortcutListView();
  ShortcutListView(const ShortcutListView&) = delete;
  ShortcutListView& operator=(const ShortcutListView&) = delete;

  HWND Handle() const { return hwnd_; }
  void SetGuard(controls::win32::ActionGuard guard) { guard_ = std::move(guard); }
  // The shared system small-icon list (not owned: the list view does not destroy it).
  void SetImages(HIMAGELIST images);
  // WM_NOTIFY from the parent; true when it came from this list view.
  bool OnNotify(LPARAM lParam, LRESULT& result);
  std::function<void()> OnDblClick;  // run through the guard as "OnShortcutRowDoubleClicked"

  // Shows the model again, row by row.
  void Rebuild();

 private:
  void Follow(const ListChange& change);
  void InsertRow(std::size_t row);
  void UpdateRow(std::size_t row);
  void WriteRow(std::size_t row, UINT message);
  void SelectRow(std::size_t row);

  HWND hwnd_ = nullptr;
  ShortcutList& model_;
  controls::win32::ActionGuard guard_;
  int updating_ = 0;  // list view notifications caused by our own updates are not the user's
};

}  // namespace tovr::shortcuts::win32
