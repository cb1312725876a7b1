// The one error guard at the UI boundary. Every event the window layer delivers (a click, a
// timer tick, a menu command, a window message, the start-up sequence) runs through Run. An
// error a handler raises ends that handler and is shown in an error box: stop icon, OK, the
// application title, the message with a full stop appended when it lacks one. The program goes
// on with the next event.
//
// Modal boxes keep the message loop running, so an event can arrive again while its handler
// is still waiting for a box of its own (a timer failing on every tick, a second click on the
// quit item while its question is open). Such a repeat is dropped: a handler is never
// re-entered, and no handler stacks a second box on top of its own.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppPorts.h"

namespace tovr::app {

class HandlerGuard {
 public:
  static constexpr unsigned kErrorFlags = kMbIconStop | kMbOk;  // 16

  HandlerGuard(IMessageBox& messages, std::string title)
      : messages_(messages), title_(std::move(title)) {}

  // Runs `handler` as the event `name`. Returns false when it was not run (the same event's
  // handler is still running) or ended with an error, which has then been shown.
  bool Run(std::string_view name, const std::function<void()>& handler);

  // True while the handler of `name` runs (including while it shows its error box).
  bool IsRunning(std::string_view name) const;

  // The error box's text for a message: the message, with "." appended unless it already ends
  // with a full stop ("." or "。").
  static std::string ErrorText(std::string_view message);

 private:
  void ShowError(std::string_view message);

  IMessageBox& messages_;
  std::string title_;
  // The names of the handlers running now. A name is the caller's text, which outlives the
  // handler's run; keeping a view of it costs no allocation on every timer tick.
  std::vector<std::string_view> running_;
};

}  // namespace tovr::app
