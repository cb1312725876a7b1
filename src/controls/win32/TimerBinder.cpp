#include "controls/win32/TimerBinder.h"

namespace tovr::controls::win32 {

TimerBinder::~TimerBinder() {
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    timers_[i]->Changed = nullptr;
    KillTimer(window_, firstId_ + i);
  }
}

UINT_PTR TimerBinder::Bind(Timer& timer) {
  const std::size_t index = timers_.size();
  timers_.push_back(&timer);
  timer.Changed = [this, index] { Apply(index); };
  Apply(index);
  return firstId_ + index;
}

void TimerBinder::Apply(std::size_t index) {
  const Timer& timer = *timers_[index];
  const UINT_PTR id = firstId_ + index;
  // SetTimer on a running id starts its period again with the new interval.
  if (timer.Running()) {
    SetTimer(window_, id, timer.Interval(), nullptr);
  } else {
    KillTimer(window_, id);
  }
}

bool TimerBinder::OnTimer(WPARAM id) {
  if (id < firstId_ || id - firstId_ >= timers_.size()) return false;
  Timer& timer = *timers_[id - firstId_];
  // A WM_TIMER already queued when the timer stopped finds it stopped: Tick ignores it.
  RunGuarded(guard_, timer.Name(), [&timer] { timer.Tick(); });
  return true;
}

UINT_PTR TimerBinder::IdOf(const Timer& timer) const {
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    if (timers_[i] == &timer) return firstId_ + i;
  }
  return 0;
}

}  // namespace tovr::controls::win32
