// IEnvironment on the system's calls: the module path, the screen, the tick count, the
// temporary directory, the memory status, the executable's file time and system colours.
#pragma once

#include "app/AppPorts.h"

namespace tovr::app::win32 {

class Win32Environment final : public IEnvironment {
 public:
  std::string ExePath() override;
  int ScreenHeight() override;
  std::uint32_t TickCount() override;
  std::string TempPath() override;
  std::string AppDataPath() override;
  std::uint64_t TotalPhysicalMemory() override;
  std::optional<LocalDateTime> ExeFileTime() override;
};

}  // namespace tovr::app::win32
