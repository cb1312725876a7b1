#include "controls/Timer.h"

namespace tovr::controls {

void Timer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (Changed) Changed();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (Changed) Changed();
}

void Timer::Tick() {
  if (!Running() || !OnTimer || ticking_) return;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{ticking_};
  ticking_ = true;
  OnTimer();
}

}  // namespace tovr::controls
