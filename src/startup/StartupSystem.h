// What the startup list asks of the system beyond the registry and the shell: the search for a
// program along the system's search path, and the locale's string comparison that orders the
// list. The Win32 adapter is startup/win32/Win32StartupSystem; tests use
// tests/fakes/FakeStartupSystem.h.
#pragma once

#include <optional>
#include <string>

namespace tovr::startup {

class IStartupSystem {
 public:
  virtual ~IStartupSystem() = default;
  // SearchPath with no path list and no default extension, into a 260-character buffer: the
  // full path of `name` found along the system's search path; nullopt when none is found (or
  // the path would not fit).
  virtual std::optional<std::string> FindOnSearchPath(const std::string& name) = 0;
  // lstrcmp: the user's locale ordering of two names; <0, 0, >0.
  virtual int CompareNames(const std::string& a, const std::string& b) = 0;
};

}  // namespace tovr::startup
