// IStartupSystem on SearchPathW, lstrcmpW, SHGetFolderPathW (CSIDL_STARTUP and
// CSIDL_COMMON_STARTUP), the system's version (StartupApproved from Windows 8, version 6.2),
// GetSystemTimeAsFileTime and SHFileOperationW (FO_DELETE with FOF_ALLOWUNDO, asking nothing).
#pragma once

#include "startup/StartupSystem.h"

namespace tovr::startup::win32 {

class Win32StartupSystem final : public IStartupSystem {
 public:
  std::optional<std::string> FindOnSearchPath(const std::string& name) override;
  std::string SortKey(const std::string& name) override;
  std::string StartupFolder(bool allUsers) override;
  bool HasStartupApproved() override;
  std::uint64_t Now() override;
  bool Recycle(const std::string& path) override;
};

}  // namespace tovr::startup::win32
