// How the views run a user's action (a click, a selection, a timer tick, a menu command): the
// window layer passes the form's error guard, so that an error thrown by a handler is shown to
// the user instead of escaping through the window procedure. `handler` names the event: the
// control's or menu item's name with "Click" or "Change" after it ("transitionAnimationBoxClick",
// "quitItemClick"), or a timer's own name ("wallpaperTimer").
#pragma once

#include <functional>
#include <string>

namespace tovr::controls::win32 {

using ActionGuard = std::function<void(const std::string& handler, const std::function<void()>& action)>;

// Without a guard the action runs directly and its errors reach the caller.
inline void RunGuarded(const ActionGuard& guard, const std::string& handler, const std::function<void()>& action) {
  if (guard) {
    guard(handler, action);
  } else {
    action();
  }
}

}  // namespace tovr::controls::win32
