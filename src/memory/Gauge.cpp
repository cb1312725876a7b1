#include "memory/Gauge.h"

#include <algorithm>

namespace tovr::memory {

void Gauge::SetProgress(int value) {
  value = std::clamp(value, 0, max_);
  if (value == progress_) return;
  progress_ = value;
  Notify();
  if (Redraw) Redraw();
}

void Gauge::SetMax(int max) {
  max = std::max(max, 0);
  if (max == max_) return;
  max_ = max;
  progress_ = std::min(progress_, max_);
  Notify();
  if (Redraw) Redraw();
}

int Gauge::Percent() const {
  return max_ == 0 ? 0 : static_cast<int>(static_cast<long long>(progress_) * 100 / max_);
}

}  // namespace tovr::memory
