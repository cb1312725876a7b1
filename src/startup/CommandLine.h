// The program inside a startup entry's command line, and the icon the row shows for it.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/ShellPorts.h"
#include "startup/StartupSystem.h"

namespace tovr::startup {

// The executable path of a command line. The command is trimmed of blanks (and control
// characters) at both ends. A command that then begins with a double quote gives the text up
// to the next double quote, letter case kept (empty when it is not closed). Otherwise, in
// lower case: with d the position of the first "." (0 when none) and more than three characters
// after it, the text up to and including the "exe" of the first ".exe " (only its first three
// characters when there is none); else the first d + 3 characters. Positions count characters.
//   "\"C:\\Program Files\\App\\app.exe\" /min" -> "C:\\Program Files\\App\\app.exe"
//   "C:\\WINDOWS\\app.exe -s" -> "c:\\windows\\app.exe";  "app.exe" -> "app.exe"
//   "rundll32.exe shell32.dll,Foo" -> "rundll32.exe";     "notepad" -> "not"
std::string ExtractExePath(std::string_view command);
// The same into `path`, whose buffer is used again: a load asks for a thousand paths.
void ExtractExePath(std::string_view command, std::string& path);

// The row icon of a command: the icon of the whole command when it names an existing file, else
// of its executable path when that names one, else of what the search path finds for that
// path; index 3 (kMissingIconIndex) when none of these gives a file. An executable path that is
// not on a local fixed drive gets its type's icon, and nothing is looked at. `path` is where the
// executable path is worked out (the caller's buffer, used again from command to command).
int CommandIconIndex(const std::string& command, std::string& path, IFileSystem& files, IShellIcons& icons,
                     IStartupSystem& system);

}  // namespace tovr::startup
