#pragma once

#include <functional>
#include <string>

namespace tovr::controls {

// A window timer. The view starts and stops the real timer when Interval or Enabled change
// and calls Tick() when it fires; tests call Tick() directly. The timer runs while it is
// enabled and its interval is above 0; setting the value it already has changes nothing (an
// enabled timer is not restarted by enabling it again).
class Timer {
 public:
  Timer(std::string name, unsigned intervalMs, bool enabled)
      : name_(std::move(name)), interval_(intervalMs), enabled_(enabled) {}
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& Name() const { return name_; }
  unsigned Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  bool Running() const { return enabled_ && interval_ > 0; }
  void SetInterval(unsigned ms);
  void SetEnabled(bool enabled);
  // Runs OnTimer when the timer runs. A tick that arrives while OnTimer is still running (its
  // handler shows a modal box, whose message loop goes on dispatching timer messages) is
  // dropped: a handler is never stacked on itself.
  void Tick();
  std::function<void()> OnTimer;
  std::function<void()> Changed;  // observer, set by the view

 private:
  std::string name_;
  unsigned interval_;
  bool enabled_;
  bool ticking_ = false;
};

}  // namespace tovr::controls
