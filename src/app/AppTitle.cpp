#include "app/AppTitle.h"

#include "base/Text.h"

namespace tovr::app {

namespace {

// Position just after the last folder separator (0 when there is none). UTF-8 keeps ASCII
// bytes for ASCII characters only, so a byte search is safe.
std::size_t FileNameStart(std::string_view path) {
  const std::size_t last = path.find_last_of("\\/");
  return last == std::string_view::npos ? 0 : last + 1;
}

}  // namespace

std::string ApplicationTitle(std::string_view exePath) {
  std::string_view name = exePath.substr(FileNameStart(exePath));
  name = name.substr(0, name.find('.'));
  if (name.empty()) return {};
  // The first character is kept as it is; if it is a multi-byte character, its continuation
  // bytes are not ASCII and AsciiLower leaves them alone.
  return std::string(name.substr(0, 1)) + text::AsciiLower(name.substr(1));
}

std::string ExeDirectory(std::string_view exePath) {
  return std::string(exePath.substr(0, FileNameStart(exePath)));
}

std::string ConfigPath(std::string_view exePath) { return ExeDirectory(exePath) + "Config.ini"; }

std::string HelpPath(std::string_view exePath) { return ExeDirectory(exePath) + "help.chm"; }

}  // namespace tovr::app
