// IStartupSystem on SearchPathW and lstrcmpW.
#pragma once

#include "startup/StartupSystem.h"

namespace tovr::startup::win32 {

class Win32StartupSystem final : public IStartupSystem {
 public:
  std::optional<std::string> FindOnSearchPath(const std::string& name) override;
  int CompareNames(const std::string& a, const std::string& b) override;
};

}  // namespace tovr::startup::win32
