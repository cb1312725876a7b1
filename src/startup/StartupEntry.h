// A row of the startup list LR: one string value of a Run or NeverRun key. The row's Location
// text is the only record of its root; the tick says Run (ticked) or NeverRun (unticked).
// Beside what the list shows, a row remembers the type its value was read with (a plain or an
// expandable string, written back alike) and where its value is stored now, so that a save
// moves, renames and removes exactly the values the list holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace tovr::startup {

inline constexpr char kAllUsersLabel[] = "所有用户";     // HKEY_LOCAL_MACHINE
inline constexpr char kCurrentUserLabel[] = "当前用户";  // HKEY_CURRENT_USER
inline constexpr char kRunKeyPath[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kNeverRunKeyPath[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\NeverRun";

// A value's place: its root, Run or NeverRun, and its name.
struct StoredAt {
  RegRoot root = RegRoot::CurrentUser;
  bool run = true;
  std::string name;

  friend bool operator==(const StoredAt&, const StoredAt&) = default;
};

struct StartupEntry {
  std::string name;      // the value name ("文件名别称")
  std::string command;   // the value's text ("所执行的文件")
  std::string location;  // kAllUsersLabel or kCurrentUserLabel ("位置")
  bool enabled = true;   // the row's check box: Run when ticked, NeverRun when not
  int iconIndex = 3;     // in the shared system small-icon list
  RegType type = RegType::String;   // String or ExpandString
  std::optional<StoredAt> stored;  // where its value is now; none for a row added by the user
};

// The root a Location text names, compared exactly; nullopt for any other text.
inline std::optional<RegRoot> RootOfLocation(std::string_view location) {
  if (location == kCurrentUserLabel) return RegRoot::CurrentUser;
  if (location == kAllUsersLabel) return RegRoot::LocalMachine;
  return std::nullopt;
}

inline const char* KeyPathOf(bool run) { return run ? kRunKeyPath : kNeverRunKeyPath; }

}  // namespace tovr::startup
