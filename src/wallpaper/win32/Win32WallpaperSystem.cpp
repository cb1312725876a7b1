#include "wallpaper/win32/Win32WallpaperSystem.h"

#include <windows.h>

#include "base/win32/Wide.h"

namespace tovr::wallpaper::win32 {

namespace {

// The true version: GetVersionEx answers what the manifest declares, RtlGetVersion does not.
OSVERSIONINFOW TrueVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
    auto fn = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (fn && fn(&info) == 0) return info;
  }
  info.dwPlatformId = VER_PLATFORM_WIN32_NT;
  info.dwMajorVersion = 10;  // no answer: a current Windows
  return info;
}

}  // namespace

// The path itself goes to the call (NULL is not documented to reload the registry value on
// current Windows); with SPIF_UPDATEINIFILE the system keeps what it needs to show it after
// the next logon (Windows 8 and later keep a converted copy).
bool Win32WallpaperSystem::ApplyDeskWallpaper(const std::string& path) {
  std::wstring wide = Widen(path);
  return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) !=
         FALSE;
}

std::uintptr_t Win32WallpaperSystem::ActiveWindow() { return reinterpret_cast<std::uintptr_t>(GetActiveWindow()); }

void Win32WallpaperSystem::BringWindowToTop(std::uintptr_t window) {
  ::BringWindowToTop(reinterpret_cast<HWND>(window));
}

bool Win32WallpaperSystem::IsNtPlatform() { return TrueVersion().dwPlatformId == VER_PLATFORM_WIN32_NT; }

ActiveDesktopSupport Win32WallpaperSystem::Support() {
  if (forced_) return *forced_;
  const OSVERSIONINFOW v = TrueVersion();
  if (v.dwMajorVersion < 6) return ActiveDesktopSupport::Full;  // up to XP and Server 2003
  if (v.dwMajorVersion == 6 && v.dwMinorVersion < 2) return ActiveDesktopSupport::PicturesOnly;  // Vista, 7
  return ActiveDesktopSupport::None;
}

std::string Win32WallpaperSystem::WindowsDirectory() {
  const UINT length = GetWindowsDirectoryW(nullptr, 0);
  std::wstring dir(length, L'\0');
  const UINT got = length ? GetWindowsDirectoryW(dir.data(), length) : 0;
  dir.resize(got < length ? got : 0);
  while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  return Narrow(dir);
}

int Win32WallpaperSystem::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int Win32WallpaperSystem::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

}  // namespace tovr::wallpaper::win32
