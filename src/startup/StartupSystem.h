// What the startup list asks of the system beyond the registry and the shell: the search for a
// program along the system's search path, the locale's sort keys that order the list, the Startup folders, whether Task Manager's switch exists, the clock, and the Recycle
// Bin. The Win32 adapter is startup/win32/Win32StartupSystem; tests use
// tests/fakes/FakeStartupSystem.h.
#pragma once

#include <cstdint>
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
  // The user's locale's sort key of `name` (LCMapString with LCMAP_SORTKEY): two keys compared
  // byte by byte order their names as lstrcmp does. One call per name, where comparing names
  // would call the system for every pair a sort looks at.
  virtual std::string SortKey(const std::string& name) = 0;
  // The user's Startup folder, or all users' one; empty when the system has none.
  virtual std::string StartupFolder(bool allUsers) = 0;
  // Windows 8 and later keep StartupApproved values (Task Manager's switch); Windows 7 does not.
  virtual bool HasStartupApproved() = 0;
  // The current time as a FILETIME: 100-nanosecond steps since 1601, UTC.
  virtual std::uint64_t Now() = 0;
  // Moves the file to the Recycle Bin without asking; false when it could not be moved.
  virtual bool Recycle(const std::string& path) = 0;
};

// The startup manager's own ports, wired once for the program (app/win32/WinMain.cpp) and once
// for the tests (tests/fakes/FakeToolPorts.h); the page's ports add the shared ones.
struct StartupSystemPorts {
  IStartupSystem& system;
};

}  // namespace tovr::startup
