#include "platform/win32/Win32ShellIcons.h"

#include <windows.h>
#include <shellapi.h>

#include "base/win32/Wide.h"

namespace tovr {

int Win32ShellIcons::ShellIconIndex(const std::string& path) {
  SHFILEINFOW info{};
  SHGetFileInfoW(Widen(path).c_str(), 0, &info, sizeof info,
                 SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_SMALLICON);
  return info.iIcon;
}

int Win32ShellIcons::TypeIconIndex(const std::string& path, bool folder) {
  SHFILEINFOW info{};
  SHGetFileInfoW(Widen(path).c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                 SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
  return info.iIcon;
}

}  // namespace tovr
