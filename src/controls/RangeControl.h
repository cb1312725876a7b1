#pragma once

#include "controls/Control.h"

namespace tovr::controls {

// A spin edit or slider: an integer value kept inside min..max. Every value set (by the user
// or the program) is clamped to the range; a new value runs OnChange, whether the user or the
// program set it. A max below min is raised to min.
//
// Changing the range: a slider clamps its position at once (and runs OnChange when that moves
// it), as it cannot show a position past its end; a spin edit keeps a value outside the new
// range until the value is next set (the icon-circle radius keeps a stored radius larger than
// the bound that start-up sets last).
class RangeControl : public Control {
 public:
  RangeControl(std::string name, int min, int max, int value) : RangeControl(std::move(name), min, max, value, false) {}
  int Value() const { return value_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Increment() const { return increment_; }  // the arrows' / keys' step
  void SetValue(int value);
  void SetRange(int min, int max);
  void SetMax(int max) { SetRange(min_, max); }
  void SetIncrement(int increment);  // at least 1
  void UserSetValue(int value) { if (Enabled()) SetValue(value); }
  int Clamp(int value) const { return value < min_ ? min_ : value > max_ ? max_ : value; }
  std::function<void()> OnChange;

 protected:
  RangeControl(std::string name, int min, int max, int value, bool keepsValueOnRangeChange);

 private:
  int min_, max_, value_;
  int increment_ = 1;
  bool keepsValueOnRangeChange_;
};

class SpinEdit : public RangeControl {
 public:
  SpinEdit(std::string name, int min, int max, int value) : RangeControl(std::move(name), min, max, value, true) {}
};

class TrackBar : public RangeControl {
 public:
  using RangeControl::RangeControl;
};

// A hotkey field: a key with its modifiers as one value (see app/HotKey.h); 0 is none.
class HotKeyField : public RangeControl {
 public:
  explicit HotKeyField(std::string name) : RangeControl(std::move(name), 0, 0xFFFF, 0) {}
};

}  // namespace tovr::controls
