#include "startup/win32/StartupPageView.h"

namespace tovr::startup::win32 {

StartupPageView::StartupPageView(HWND parent, StartupPage& page, controls::win32::ControlBinder& binder,
                                 const Placement& at, HFONT font, controls::win32::ActionGuard guard,
                                 std::function<void()> onDblClick)
    : list_(parent, page.startupList, at.listId, at.list, font) {
  list_.SetGuard(std::move(guard));
  list_.OnDblClick = std::move(onDblClick);
  list_.OnTick = [&page](std::size_t row, bool ticked) { page.OnStartupRowTicked(row, ticked); };
  if (HWND list = list_.Handle()) {
    binder.Adopt(listModel_, list);
    binder.PlaceIn(list, at.pages, at.pageIndex);
  }
}

}  // namespace tovr::startup::win32
