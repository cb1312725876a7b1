#include "transparency/win32/Win32WindowSystem.h"

#include "base/win32/Wide.h"
#include "platform/win32/WindowAlpha.h"

namespace tovr::transparency::win32 {

namespace {

constexpr int kTitleBuffer = 255;  // at most 254 characters of a title
constexpr int kClassBuffer = 257;  // class names have at most 256 characters

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

std::string Win32WindowSystem::ClassName(WindowHandle window) {
  wchar_t buffer[kClassBuffer] = {};
  const int n = GetClassNameW(Hwnd(window), buffer, kClassBuffer);
  return n > 0 ? Narrow(std::wstring_view(buffer, static_cast<std::size_t>(n))) : std::string();
}

void Win32WindowSystem::SetAlpha(WindowHandle window, int alpha) { SetWindowAlpha(Hwnd(window), alpha); }

}  // namespace tovr::transparency::win32
