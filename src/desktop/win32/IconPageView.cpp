#include "desktop/win32/IconPageView.h"

namespace tovr::desktop::win32 {

IconPageView::IconPageView(IconPage& page, const controls::win32::ControlBinder& binder)
    : foreground_(binder.Window(page.iconTextColourSwatch)), background_(binder.Window(page.iconTextBackColourSwatch)) {
  // A deeper lowered bevel than the static edge: a white panel on a white page keeps its
  // lower and right edges.
  for (HWND panel : {foreground_, background_}) {
    if (!panel) continue;
    SetWindowLongPtrW(panel, GWL_EXSTYLE, (GetWindowLongPtrW(panel, GWL_EXSTYLE) & ~WS_EX_STATICEDGE) | WS_EX_CLIENTEDGE);
    SetWindowPos(panel, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  if (HWND ratio = binder.Window(page.ellipseRatio)) {
    SendMessageW(ratio, EM_SETREADONLY, TRUE, 0);
    SendMessageW(ratio, EM_LIMITTEXT, 3, 0);
  }
}

bool IconPageView::OnSetCursor(HWND window) const {
  if (!window || (window != foreground_ && window != background_)) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

}  // namespace tovr::desktop::win32
