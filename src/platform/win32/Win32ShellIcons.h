// IShellIcons on the system small-icon list (SHGetFileInfoW).
#pragma once

#include "platform/ShellPorts.h"

namespace tovr {

class Win32ShellIcons final : public IShellIcons {
 public:
  // 0 (the list's first icon) when the shell knows nothing of the path.
  int ShellIconIndex(const std::string& path) override;
  int TypeIconIndex(const std::string& path, bool folder) override;
};

}  // namespace tovr
