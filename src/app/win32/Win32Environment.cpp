#include "app/win32/Win32Environment.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "base/win32/Wide.h"

namespace tovr::app::win32 {

std::string Win32Environment::ExePath() {
  // GetModuleFileNameW truncates silently: grow the buffer until the path fits.
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return Narrow(std::wstring_view(buf.data(), n));
    if (buf.size() >= 32768) return Narrow(std::wstring_view(buf.data(), n));
    buf.resize(buf.size() * 2);
  }
}

int Win32Environment::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

std::uint32_t Win32Environment::TickCount() { return GetTickCount(); }

std::string Win32Environment::TempPath() {
  wchar_t buf[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, buf);
  if (n == 0 || n > MAX_PATH) return {};
  return Narrow(std::wstring_view(buf, n));
}

std::string Win32Environment::AppDataPath() {
  wchar_t buf[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buf))) return {};
  return Narrow(buf);
}

std::uint64_t Win32Environment::TotalPhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  return status.ullTotalPhys;
}

std::optional<LocalDateTime> Win32Environment::ExeFileTime() {
  const std::wstring path = Widen(ExePath());
  WIN32_FIND_DATAW found{};
  HANDLE h = FindFirstFileW(path.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(h);
  FILETIME local{};
  SYSTEMTIME st{};
  if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &st)) {
    return std::nullopt;
  }
  return LocalDateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}


}  // namespace tovr::app::win32
