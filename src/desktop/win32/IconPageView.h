// What the icon page's windows need beyond the shared control binding: the hand cursor over the
// two colour panels (a click on them opens the colour dialog), a lowered bevel on them that
// shows on a white page, and the ellipse ratio ellipseRatio
// changed by its arrows only, at most three digits typed. The main window creates one after
// binding the page's controls and forwards WM_SETCURSOR to it.
#pragma once

#include <windows.h>

#include "controls/win32/ControlBinder.h"
#include "desktop/IconPage.h"

namespace tovr::desktop::win32 {

class IconPageView {
 public:
  IconPageView(IconPage& page, const controls::win32::ControlBinder& binder);
  IconPageView(const IconPageView&) = delete;
  IconPageView& operator=(const IconPageView&) = delete;

  // WM_SETCURSOR for the child `window`: true when it is a colour panel and the hand was set.
  bool OnSetCursor(HWND window) const;

 private:
  HWND foreground_;  // iconTextColourSwatch
  HWND background_;  // iconTextBackColourSwatch
};

}  // namespace tovr::desktop::win32
