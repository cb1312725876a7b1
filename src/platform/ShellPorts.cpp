#include "platform/ShellPorts.h"

#include "base/Text.h"

namespace tovr {

bool IsShellLinkPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view ext = path.substr(dot);
  if (ext.find_first_of("\\/") != std::string_view::npos) return false;
  return text::EqualsIgnoreAsciiCase(ext, ".lnk");
}

std::string FolderPart(std::string_view target) {
  const std::size_t sep = target.find_last_of("\\:");
  if (sep == std::string_view::npos) return {};
  return std::string(target.substr(0, sep + 1));
}

}  // namespace tovr
