#include "controls/Control.h"

#include <utility>

namespace tovr::controls {

void Control::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Notify();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify();
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify();
}

void Control::SetHint(std::string hint) {
  if (hint == hint_) return;
  hint_ = std::move(hint);
  Notify();
}

void Control::Fire(const std::function<void()>& handler) {
  if (!handler || firing_) return;
  // Cleared on the way out, also when the handler throws (the UI guard shows the error).
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{firing_};
  firing_ = true;
  handler();
}

}  // namespace tovr::controls
