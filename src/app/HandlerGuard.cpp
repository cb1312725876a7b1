#include "app/HandlerGuard.h"

#include <algorithm>
#include <exception>

namespace tovr::app {

namespace {

// Marks a handler as running for the lifetime of the scope, its error box included.
class RunningMark {
 public:
  RunningMark(std::vector<std::string_view>& running, std::string_view name) : running_(running) {
    running_.emplace_back(name);
  }
  ~RunningMark() { running_.pop_back(); }
  RunningMark(const RunningMark&) = delete;
  RunningMark& operator=(const RunningMark&) = delete;

 private:
  std::vector<std::string_view>& running_;
};

}  // namespace

bool HandlerGuard::IsRunning(std::string_view name) const {
  return std::find(running_.begin(), running_.end(), name) != running_.end();
}

bool HandlerGuard::Run(std::string_view name, const std::function<void()>& handler) {
  if (IsRunning(name)) return false;
  // Handlers nest only through modal loops, so marks are released in reverse order.
  RunningMark mark(running_, name);
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    ShowError(e.what());
  } catch (...) {
    ShowError("Unknown error");
  }
  return false;
}

std::string HandlerGuard::ErrorText(std::string_view message) {
  std::string text(message);
  const bool endsWithStop =
      text.ends_with('.') || text.ends_with("\xE3\x80\x82");  // "." or "。"
  if (!endsWithStop) text += '.';
  return text;
}

void HandlerGuard::ShowError(std::string_view message) {
  messages_.Show(ErrorText(message), title_, kErrorFlags);
}

}  // namespace tovr::app
