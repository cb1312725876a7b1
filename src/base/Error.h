// The one error type of the program: it carries a message meant for the user. Handlers throw
// it; the guard at the UI boundary shows it in an error box.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tovr {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Replaces the first "%s" of `pattern` with `arg` ("Unable to write to %s").
inline std::string FormatMessage1(std::string_view pattern, std::string_view arg) {
  std::string out(pattern);
  auto at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, arg);
  return out;
}

}  // namespace tovr
