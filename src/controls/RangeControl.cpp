#include "controls/RangeControl.h"

#include <algorithm>

namespace tovr::controls {

RangeControl::RangeControl(std::string name, int min, int max, int value, bool keepsValueOnRangeChange)
    : Control(std::move(name)), min_(min), max_(std::max(min, max)), value_(0),
      keepsValueOnRangeChange_(keepsValueOnRangeChange) {
  value_ = Clamp(value);
}

void RangeControl::SetValue(int value) {
  value = Clamp(value);
  if (value == value_) return;
  value_ = value;
  Notify();
  Fire(OnChange);
}

void RangeControl::SetRange(int min, int max) {
  max = std::max(min, max);
  if (min == min_ && max == max_) return;
  min_ = min;
  max_ = max;
  const int before = value_;
  if (!keepsValueOnRangeChange_) value_ = Clamp(value_);
  Notify();
  if (value_ != before) Fire(OnChange);
}

void RangeControl::SetIncrement(int increment) {
  increment = std::max(1, increment);
  if (increment == increment_) return;
  increment_ = increment;
  Notify();
}

}  // namespace tovr::controls
