// The common controls (list views, up-down arrows, trackbars, tabs, tooltips) are the controls'
// library's, in the version the manifest asks for. It is loaded when the first control is made,
// not at start-up (platform/win32/LateBound.h): the pages' controls come after ready.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/LateBound.h"

namespace tovr::controls::win32 {

inline void EnsureCommonControls() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES |
                                                                   ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    return TOVR_LATE(comctl32, InitCommonControlsEx)(&classes) != FALSE;
  }();
  (void)registered;
}

}  // namespace tovr::controls::win32
