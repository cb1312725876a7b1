#include "transparency/win32/Win32WindowSystem.h"

#include "base/win32/Wide.h"
#include "platform/win32/WindowAlpha.h"

namespace tovr::transparency::win32 {

namespace {

constexpr int kTitleBuffer = 255;  // at most 254 characters of a title
constexpr int kClassBuffer = 257;  // class names have at most 256 characters
constexpr DWORD kDwmCloaked = 14;  // DWMWA_CLOAKED, Windows 8 and later

using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

// DwmGetWindowAttribute from the system folder's dwmapi.dll; null before Windows Vista.
DwmGetWindowAttributeFn DwmAttribute() {
  static const DwmGetWindowAttributeFn function = [] {
    wchar_t path[MAX_PATH];
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH - 12) return DwmGetWindowAttributeFn{};
    lstrcatW(path, L"\\dwmapi.dll");
    HMODULE dwm = LoadLibraryW(path);  // kept for the life of the process
    return dwm ? reinterpret_cast<DwmGetWindowAttributeFn>(
                     reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")))
               : DwmGetWindowAttributeFn{};
  }();
  return function;
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(reinterpret_cast<WindowHandle>(window));
  return TRUE;
}

}  // namespace

// Seen from the main window: the first window of its kind (topmost windows first, as it is
// one). Before it exists, the top of the whole Z order.
WindowHandle Win32WindowSystem::FirstWindow() {
  return Handle(mainWindow ? GetWindow(mainWindow, GW_HWNDFIRST) : GetTopWindow(nullptr));
}

WindowHandle Win32WindowSystem::NextWindow(WindowHandle window) {
  return Handle(GetWindow(Hwnd(window), GW_HWNDNEXT));
}

std::vector<WindowHandle> Win32WindowSystem::TopLevelWindows() {
  std::vector<WindowHandle> all;
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::string Win32WindowSystem::Title(WindowHandle window) {
  wchar_t buffer[kTitleBuffer] = {};
  const int n = GetWindowTextW(Hwnd(window), buffer, kTitleBuffer);
  return n > 0 ? Narrow(std::wstring_view(buffer, static_cast<std::size_t>(n))) : std::string();
}

bool Win32WindowSystem::Visible(WindowHandle window) { return IsWindowVisible(Hwnd(window)) != FALSE; }

bool Win32WindowSystem::Cloaked(WindowHandle window) {
  const DwmGetWindowAttributeFn attribute = DwmAttribute();
  DWORD cloaked = 0;
  return attribute && SUCCEEDED(attribute(Hwnd(window), kDwmCloaked, &cloaked, sizeof cloaked)) && cloaked != 0;
}

std::string Win32WindowSystem::ClassName(WindowHandle window) {
  wchar_t buffer[kClassBuffer] = {};
  const int n = GetClassNameW(Hwnd(window), buffer, kClassBuffer);
  return n > 0 ? Narrow(std::wstring_view(buffer, static_cast<std::size_t>(n))) : std::string();
}

// A window that still exists and could not be changed refused: the system keeps programs from
// changing the windows of programs with higher rights.
bool Win32WindowSystem::SetAlpha(WindowHandle window, int alpha) {
  return SetWindowAlpha(Hwnd(window), alpha) || !IsWindow(Hwnd(window));
}

}  // namespace tovr::transparency::win32
