// The yardstick of bench/startup-to-tray.sh: the least a Win32 program does to put an icon in
// the notification area (one hidden window, NIM_ADD, a message loop). Tovrane's start-up to
// its tray icon, and its memory and idle cost, are measured against this program's; it answers
// the same figure requests as Tovrane's main window.
#include <windows.h>
#include <shellapi.h>

#include "platform/win32/ProcessFigures.h"

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == tovr::ProcessFigureMessage()) return tovr::ReadProcessFigure(wParam);
  if (msg == WM_CLOSE) {
    DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The command line may name what to set up before the window, so the benchmark can show what
// each thing Tovrane uses costs on its own: libraries ("comctl32.dll ole32.dll"), and
// "system-image-list", the shell's shared icon list.
void SetUpNamed(PWSTR commandLine) {
  for (wchar_t* context = nullptr, *name = wcstok_s(commandLine, L" ", &context); name;
       name = wcstok_s(nullptr, L" ", &context)) {
    if (lstrcmpW(name, L"system-image-list") == 0) {
      SHFILEINFOW info{};
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    } else {
      LoadLibraryW(name);
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  SetUpNamed(commandLine);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"MinimalTray";
  if (!RegisterClassExW(&wc)) return 1;
  HWND window = CreateWindowExW(0, L"MinimalTray", L"MinimalTray", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = 1;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_APP;
  data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(data.szTip, L"MinimalTray", 128);
  Shell_NotifyIconW(NIM_ADD, &data);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    tovr::CountWakeUp();
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Shell_NotifyIconW(NIM_DELETE, &data);
  return 0;
}
