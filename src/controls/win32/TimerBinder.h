// Runs timer models as window timers of one window: a running model (enabled, interval above
// 0) has a SetTimer timer with its interval, a stopped one has none; WM_TIMER becomes the
// model's Tick(), run through the action guard as "<name>Timer". Models must outlive the
// binder; it stops their timers and releases their observers when destroyed.
#pragma once

#include <windows.h>

#include <vector>

#include "controls/Timer.h"
#include "controls/win32/ActionGuard.h"

namespace tovr::controls::win32 {

class TimerBinder {
 public:
  // Timer ids are firstId, firstId + 1, ... in the order of Bind.
  explicit TimerBinder(HWND window, UINT_PTR firstId = 1000) : window_(window), firstId_(firstId) {}
  ~TimerBinder();
  TimerBinder(const TimerBinder&) = delete;
  TimerBinder& operator=(const TimerBinder&) = delete;

  void SetGuard(ActionGuard guard) { guard_ = std::move(guard); }
  UINT_PTR Bind(Timer& timer);  // starts it now if it runs; returns its id
  bool OnTimer(WPARAM id);      // WM_TIMER; false when the id is not one of ours
  UINT_PTR IdOf(const Timer& timer) const;  // 0 when not bound

 private:
  void Apply(std::size_t index);

  HWND window_;
  UINT_PTR firstId_;
  ActionGuard guard_;
  std::vector<Timer*> timers_;
};

}  // namespace tovr::controls::win32
