#include "startup/win32/Win32StartupSystem.h"

#include <windows.h>

#include "base/win32/Wide.h"

namespace tovr::startup::win32 {

std::optional<std::string> Win32StartupSystem::FindOnSearchPath(const std::string& name) {
  if (name.empty()) return std::nullopt;
  wchar_t found[260] = {};
  // The length of the path found, or the size it would need when it does not fit; 0 when none.
  const DWORD length = ::SearchPathW(nullptr, Widen(name).c_str(), nullptr, 260, found, nullptr);
  if (length == 0 || length >= 260) return std::nullopt;
  return Narrow(found);
}

int Win32StartupSystem::CompareNames(const std::string& a, const std::string& b) {
  return lstrcmpW(Widen(a).c_str(), Widen(b).c_str());
}

}  // namespace tovr::startup::win32
