#include "startup/win32/Win32StartupSystem.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

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

std::string Win32StartupSystem::SortKey(const std::string& name) {
  // lstrcmp's order: the user's locale, no flags. The key's bytes end with a zero, left out.
  const std::wstring wide = Widen(name);
  const int length = static_cast<int>(wide.size());
  std::string key(static_cast<std::size_t>(length) * 8 + 16, '\0');
  int size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, wide.c_str(), length,
                          reinterpret_cast<LPWSTR>(key.data()), static_cast<int>(key.size()));
  if (size == 0) {
    size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, wide.c_str(), length, nullptr, 0);
    key.assign(static_cast<std::size_t>(std::max(size, 0)), '\0');
    size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, wide.c_str(), length,
                        reinterpret_cast<LPWSTR>(key.data()), static_cast<int>(key.size()));
  }
  key.resize(static_cast<std::size_t>(std::max(size - 1, 0)));
  return key;
}

std::string Win32StartupSystem::StartupFolder(bool allUsers) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, allUsers ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT,
                              path))) {
    return {};
  }
  return Narrow(path);
}

bool Win32StartupSystem::HasStartupApproved() {
  // Without a manifest naming later versions the answer is 6.2 at most: enough to tell 8 from 7.
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExW(&version)) return true;
  return version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 2);
}

std::uint64_t Win32StartupSystem::Now() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

bool Win32StartupSystem::Recycle(const std::string& path) {
  std::wstring from = Widen(path);
  from.push_back(L'\0');  // the list of files ends with a second zero
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

}  // namespace tovr::startup::win32
