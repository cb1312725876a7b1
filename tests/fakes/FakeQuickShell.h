// A recording IQuickShell: every request as one line of text, in order; the screen saver's
// state is set by the test.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tweaks/QuickShell.h"

namespace tovr {

class FakeQuickShell final : public tweaks::IQuickShell {
 public:
  std::vector<std::string> calls;  // "Execute(verb|file|parameters|directory|show)", ...
  std::optional<bool> screenSaverActive = false;

  void Execute(const std::string& verb, const std::string& file, const std::string& parameters,
               const std::string& directory, int show) override {
    calls.push_back("Execute(" + verb + "|" + file + "|" + parameters + "|" + directory + "|" +
                    std::to_string(show) + ")");
  }
  std::optional<bool> ScreenSaverActive() override { return screenSaverActive; }
  void PostToDesktop(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    calls.push_back("PostToDesktop(" + std::to_string(message) + "," + std::to_string(wParam) +
                    "," + std::to_string(lParam) + ")");
  }
  void SendMciCommand(const std::string& command) override {
    calls.push_back("Mci(" + command + ")");
  }
};

}  // namespace tovr
