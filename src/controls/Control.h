// Portable models of the main window's controls. The logic reads and sets these; a Win32 view
// (controls/win32) mirrors each model in a real control and turns the user's actions into the
// model's User* calls. Tests drive the models directly.
//
// Order of a change: the state changes first, then `Changed` tells the view, then the control's
// handler runs. A handler may change other controls (their handlers run, nested); a change that
// a handler makes to its own control updates the state and the view but does not run that
// handler a second time, so two handlers cannot ping-pong one control forever.
#pragma once

#include <functional>
#include <string>

namespace tovr::controls {

// What every control has. `Changed` is for the view: any change of the model's state
// (caption, enabled, value...) calls it so that the real control can follow.
class Control {
 public:
  explicit Control(std::string name, std::string caption = {}) : name_(std::move(name)), caption_(std::move(caption)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);

  std::function<void()> Changed;  // observer, set by the view

 protected:
  void Notify() { if (Changed) Changed(); }
  // Runs one of this control's handlers unless one of them is already running.
  void Fire(const std::function<void()>& handler);

 private:
  std::string name_;
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool visible_ = true;
  bool firing_ = false;
};

}  // namespace tovr::controls
