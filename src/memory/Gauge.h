// A gauge: a bar that shows a progress value between 0 and its maximum. Whatever it is given is
// clamped into that range; lowering the maximum clamps the value at once. The view shows the
// value as a share of the maximum: every change of value or maximum runs Redraw (and Changed,
// which a control binder may own for the gauge's place on its page).
#pragma once

#include "controls/Control.h"

namespace tovr::memory {

class Gauge : public controls::Control {
 public:
  explicit Gauge(std::string name, int max = 100) : Control(std::move(name)), max_(max < 0 ? 0 : max) {}
  int Progress() const { return progress_; }
  int Max() const { return max_; }
  void SetProgress(int value);
  void SetMax(int max);
  void AddProgress(int delta) { SetProgress(progress_ + delta); }
  // The value as a whole percentage of the maximum (0 for a maximum of 0).
  int Percent() const;
  std::function<void()> Redraw;  // observer of the shown value, set by the view

 private:
  int max_;
  int progress_ = 0;
};

}  // namespace tovr::memory
