// What the shortcut, startup and wallpaper lists ask of the shell: icons of the system's
// small-icon list and shell link (".lnk") files. The Win32 adapters live in shortcuts/win32;
// tests use tests/fakes/FakeShell.h.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tovr {

// Fixed positions of the system small-icon list: a web address shows the first icon, a missing
// target the fourth.
inline constexpr int kUrlIconIndex = 0;
inline constexpr int kMissingIconIndex = 3;

class IShellIcons {
 public:
  virtual ~IShellIcons() = default;
  // The index of the path's small icon in the system small-icon list (SHGetFileInfo with
  // SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_SMALLICON). The list is shared by the shortcut,
  // wallpaper and startup lists and the tray menu.
  virtual int ShellIconIndex(const std::string& path) = 0;
  // The same list's icon for a file (or a folder) of this name's type, found from the name
  // alone (SHGFI_USEFILEATTRIBUTES): the target is never touched.
  virtual int TypeIconIndex(const std::string& path, bool folder) = 0;
};

// The icon a list shows for a file or folder: looked up on the target where it is on a local
// fixed drive; elsewhere (a share, a mapped or removable drive) by type only, so that a server
// that does not answer cannot stall the list.
inline int ListIconIndex(IShellIcons& icons, IFileSystem& files, const std::string& path, bool folder) {
  return OnLocalFixedDrive(files, path) ? icons.ShellIconIndex(path) : icons.TypeIconIndex(path, folder);
}

// The outcome of writing one link file: saved, or not with the system's reason.
struct LinkSaveResult {
  bool saved = false;
  // The system refused access: the folder, or a read-only file of that name, may not be
  // written by this user (the all-users desktop for a user without administrator rights).
  bool accessDenied = false;
  std::string error;  // the system's text for a failure
  explicit operator bool() const { return saved; }
};

// True when the path's extension (from the last "." of its last component, ASCII case
// ignored) is ".lnk".
bool IsShellLinkPath(std::string_view path);

// The text up to and including the last "\" or ":" (the working folder of a file target, the
// parent of a folder target); "" when there is none.
std::string FolderPart(std::string_view target);

class IShellLinks {
 public:
  virtual ~IShellLinks() = default;
  // The path stored in a shell link file; empty for a link to a non-file object. A link that
  // cannot be loaded or read throws tovr::Error carrying the system's error text.
  virtual std::string ResolveShellLink(const std::string& linkPath) = 0;
  // Writes a shell link holding exactly the target path, the working directory and the
  // description; creates or overwrites `linkPath`.
  virtual LinkSaveResult CreateShellLink(const std::string& target, const std::string& linkPath,
                               const std::string& workDir, const std::string& description) = 0;
};

}  // namespace tovr
