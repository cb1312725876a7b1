// The steps of a save that Windows may refuse (a system toggle, the autorun value, the startup
// entries of HKEY_LOCAL_MACHINE, the wallpaper): each runs on its own, and a refusal is noted
// while the save goes on as if the step had succeeded, so one refused step never loses the
// others. The save ends by showing every note in one error box.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tovr::app {

class SaveRefusals {
 public:
  // Runs `step`; a tovr::Error it throws becomes a note naming `what` (the setting's caption).
  // True when the step succeeded.
  bool Run(std::string_view what, const std::function<void()>& step);
  // Throws one tovr::Error listing every note, a line each; nothing when there is none.
  void ThrowIfAny() const;

 private:
  std::vector<std::string> notes_;
};

}  // namespace tovr::app
