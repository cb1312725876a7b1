#include "platform/FileSystem.h"

#include "base/Text.h"

namespace tovr {

namespace {

bool Separator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool OnLocalFixedDrive(IFileSystem& files, std::string_view path) {
  // "\\?\" and "\\.\" name the same places as the path after them.
  if (path.size() >= 4 && Separator(path[0]) && Separator(path[1]) && (path[2] == '?' || path[2] == '.') &&
      Separator(path[3])) {
    path.remove_prefix(4);
    if (path.size() >= 4 && text::EqualsIgnoreAsciiCase(path.substr(0, 3), "UNC") && Separator(path[3])) return false;
  } else if (path.size() >= 2 && Separator(path[0]) && Separator(path[1])) {
    return false;
  }
  if (path.size() < 2 || path[1] != ':') return true;
  const char letter = path[0] >= 'a' && path[0] <= 'z' ? static_cast<char>(path[0] - 'a' + 'A') : path[0];
  return letter < 'A' || letter > 'Z' || files.FixedDrive(letter);
}

}  // namespace tovr
