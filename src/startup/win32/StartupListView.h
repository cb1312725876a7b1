// The startup list startupList as a real list view: report view with check boxes, grid lines, whole-row
// and multiple selection kept visible when the list loses the focus, names edited in place,
// icons from the shared system small-icon list, and the columns "文件名别称" (120),
// "所执行的文件" (210) and "位置" (70, or as wide as its longest label needs in the list's font;
// the command column gives up that width). It has no sorting of its own: it shows the model's
// rows in the model's order. The user's ticks go to OnTick, selections and renames become the
// model's calls (through the guard, as "OnStartupListChanged" and "OnStartupNameEdited"); a row the model cannot
// rename is not edited; a double-click goes to OnDblClick. The parent forwards WM_NOTIFY to
// OnNotify.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "controls/win32/ActionGuard.h"
#include "startup/StartupList.h"

namespace tovr::startup::win32 {

class StartupListView {
 public:
  // Creates the list view at `rect` (parent client coordinates) with command id `id`.
  StartupListView(HWND parent, StartupList& model, int id, const RECT& rect, HFONT font);
  ~StartupListView();
  StartupListView(const StartupListView&) = delete;
  StartupListView& operator=(const StartupListView&) = delete;

  HWND Handle() const { return hwnd_; }
  void SetGuard(controls::win32::ActionGuard guard) { guard_ = std::move(guard); }
  // The shared system small-icon list (not owned).
  void SetImages(HIMAGELIST images);
  // WM_NOTIFY from the parent; true when it came from this list view.
  bool OnNotify(LPARAM lParam, LRESULT& result);
  std::function<void()> OnDblClick;                          // run through the guard as "OnStartupRowDoubleClicked"
  std::function<void(std::size_t row, bool ticked)> OnTick;  // run through the guard as "OnStartupListChanged"

  void Rebuild();

 private:
  void Follow(const StartupListChange& change);
  void ItemChanged(const NMLISTVIEW& change);
  void WriteRow(std::size_t row, UINT message);
  void ShowState(std::size_t row);
  void FitLocationColumn();

  HWND hwnd_ = nullptr;
  StartupList& model_;
  controls::win32::ActionGuard guard_;
  int updating_ = 0;  // notifications caused by our own updates are not the user's
};

}  // namespace tovr::startup::win32
