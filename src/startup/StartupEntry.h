// A row of the startup list startupList: one string value of a Run or NeverRun key, or one file in a
// Startup folder. The row's Location text is the only record of where it comes from; the tick
// says whether Windows starts it at logon. A registry row is switched off in one of two ways:
// its value parked in NeverRun (what this list does), or its StartupApproved value saying off
// (what Task Manager and Settings do since Windows 8). A folder row is switched off only
// through StartupApproved.
//
// Beside what the list shows, a row remembers the type its value was read with (a plain or an
// expandable string, written back alike), where its value or file is stored now and what its
// StartupApproved value says, so that a save moves, renames and removes exactly what the list
// holds.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace tovr::startup {

// Where a row comes from, in the order of the load.
enum class StartupSource { AllUsers, AllUsers32, CurrentUser, UserFolder, CommonFolder };

inline constexpr char kAllUsersLabel[] = "所有用户";               // HKEY_LOCAL_MACHINE
inline constexpr char kAllUsers32Label[] = "所有用户（32位）";     // its 32-bit programs' keys
inline constexpr char kCurrentUserLabel[] = "当前用户";            // HKEY_CURRENT_USER
inline constexpr char kUserFolderLabel[] = "当前用户（启动文件夹）";
inline constexpr char kCommonFolderLabel[] = "所有用户（启动文件夹）";
inline constexpr char kRunKeyPath[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kNeverRunKeyPath[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\NeverRun";
// The 32-bit view's keys as the 64-bit view sees them (the program always uses that view); on
// 32-bit Windows they do not exist.
inline constexpr char kRun32KeyPath[] = "\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kNeverRun32KeyPath[] = "\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\NeverRun";
inline constexpr char kApprovedKeyPath[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";

struct SourceKeys {
  StartupSource source;
  const char* label;
  RegRoot root;
  const char* run;       // null for a Startup folder
  const char* neverRun;  // null for a Startup folder
  const char* approved;  // the StartupApproved key's last component
};

inline constexpr std::array<SourceKeys, 5> kSources{{
    {StartupSource::AllUsers, kAllUsersLabel, RegRoot::LocalMachine, kRunKeyPath, kNeverRunKeyPath, "Run"},
    {StartupSource::AllUsers32, kAllUsers32Label, RegRoot::LocalMachine, kRun32KeyPath, kNeverRun32KeyPath, "Run32"},
    {StartupSource::CurrentUser, kCurrentUserLabel, RegRoot::CurrentUser, kRunKeyPath, kNeverRunKeyPath, "Run"},
    {StartupSource::UserFolder, kUserFolderLabel, RegRoot::CurrentUser, nullptr, nullptr, "StartupFolder"},
    {StartupSource::CommonFolder, kCommonFolderLabel, RegRoot::LocalMachine, nullptr, nullptr, "StartupFolder"},
}};

inline const SourceKeys& KeysOf(StartupSource source) { return kSources[static_cast<std::size_t>(source)]; }
inline bool IsFolder(StartupSource source) { return KeysOf(source).run == nullptr; }

// The source a Location text names, compared exactly; nullopt for any other text.
inline std::optional<StartupSource> SourceOfLocation(std::string_view location) {
  for (const SourceKeys& k : kSources) {
    if (location == k.label) return k.source;
  }
  return std::nullopt;
}

inline const char* KeyPathOf(bool run) { return run ? kRunKeyPath : kNeverRunKeyPath; }
inline const char* KeyPathOf(StartupSource source, bool run) {
  return run ? KeysOf(source).run : KeysOf(source).neverRun;
}
inline std::string ApprovedKeyPathOf(StartupSource source) {
  return std::string(kApprovedKeyPath) + KeysOf(source).approved;
}

// A StartupApproved value says off when its first byte is odd (03, 07); even (02, 06), empty
// or absent is on.
inline bool ApprovedSaysOff(const RegValue& value) { return !value.data.empty() && (value.data[0] & 1) != 0; }
// What Task Manager writes: 02 and eleven zero bytes for on; 03, three zero bytes and the time
// it was switched off (a FILETIME, little-endian) for off.
inline RegValue ApprovedValue(bool on, std::uint64_t now) {
  RegValue v{RegType::Binary, std::vector<std::uint8_t>(12, 0)};
  v.data[0] = on ? 2 : 3;
  for (int i = 0; i < 8 && !on; ++i) v.data[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(now >> (8 * i));
  return v;
}

// A value's or a file's place: its source, Run or NeverRun (a folder file: Run), and its name
// (the value name; the file name in its folder).
struct StoredAt {
  StartupSource source = StartupSource::CurrentUser;
  bool run = true;
  std::string name;

  friend bool operator==(const StoredAt&, const StoredAt&) = default;
};

struct StartupEntry {
  std::string name;      // the value name, or the file name ("文件名别称")
  std::string command;   // the value's text, or a folder shortcut's target ("所执行的文件")
  std::string_view location;  // one of the five labels ("位置"), which live as long as the program
  bool enabled = true;   // the row's check box: Windows starts it at logon
  int iconIndex = 3;     // in the shared system small-icon list
  RegType type = RegType::String;   // String or ExpandString
  std::optional<StoredAt> stored;  // where its value or file is now; none for a row added by the user
  bool approvedOff = false;        // its StartupApproved value says off
  std::string file;                // a Startup folder's row: the file's full path
  std::string storedCommand;       // a folder shortcut's target as it is stored
};

}  // namespace tovr::startup
