#include "app/win32/TrayIcon.h"

#include <shellapi.h>

#include <utility>

#include "app/TrayTip.h"

namespace tovr::app::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TovrTrayWindow";

void RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
}

}  // namespace

TrayIcon::TrayIcon(HINSTANCE instance) {
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  RegisterWindowClass(instance, &TrayIcon::WindowProc);
  // A hidden top-level window (not a message-only one): broadcasts such as "TaskbarCreated"
  // and WM_QUERYENDSESSION reach only top-level windows.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, instance, this);
}

TrayIcon::~TrayIcon() {
  if (inTray_) Notify(NIM_DELETE);
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

std::wstring TrayIcon::TipText() const {
  const std::u16string tip = TrayTipText(hint_, showHint_);
  return std::wstring(tip.begin(), tip.end());
}

bool TrayIcon::Notify(DWORD action) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = icon_;
  const std::wstring tip = TipText();
  static_assert(sizeof data.szTip / sizeof data.szTip[0] == 128);
  tip.copy(data.szTip, 127);
  const bool ok = Shell_NotifyIconW(action, &data) != FALSE;
  if (action == NIM_DELETE) {
    inTray_ = false;
  } else if (ok) {
    inTray_ = true;
  }
  return ok;
}

void TrayIcon::Update() {
  if (!visible_) return;
  // Modify what is there; when the shell lost the icon (or never took it), add it again.
  if (!inTray_ || !Notify(NIM_MODIFY)) Notify(NIM_ADD);
}

void TrayIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible) {
    Notify(NIM_ADD);
  } else if (inTray_) {
    Notify(NIM_DELETE);
  }
}

void TrayIcon::SetIcon(HICON icon) {
  if (icon == icon_) return;
  icon_ = icon;
  Update();
}

void TrayIcon::SetHint(std::string_view utf8) {
  if (utf8 == hint_) return;
  hint_ = std::string(utf8);
  Update();
}

void TrayIcon::SetShowHint(bool show) {
  if (show == showHint_) return;
  showHint_ = show;
  Update();
}

void TrayIcon::HandleMouse(UINT mouseMessage) {
  if (!enabled_) return;
  switch (mouseMessage) {
    case WM_LBUTTONDOWN:
      clickPending_ = true;
      PopupTrayMenu();  // the left button also opens the menu
      break;
    case WM_LBUTTONUP:
      clickPending_ = false;
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick();
      break;
    case WM_RBUTTONDOWN:
      PopupTrayMenu();
      break;
    default:
      break;
  }
}

void TrayIcon::HoldMenu() { menuHeld_ = true; }

void TrayIcon::ReleaseMenu() {
  menuHeld_ = false;
  if (std::exchange(menuAsked_, false)) PopupTrayMenu();
}

void TrayIcon::PopupTrayMenu() {
  if (menuHeld_) {
    menuAsked_ = true;
    return;
  }
  if (inPopup_ || !menuOwner || !PrepareMenu) return;
  POINT at{};
  if (!GetCursorPos(&at)) return;
  inPopup_ = true;
  // Let what is pending run first (the button-up of this click, repaints).
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      inPopup_ = false;
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // The menu closes when the user clicks elsewhere only if its owner is in the foreground,
  // even while the owner is hidden.
  SetForegroundWindow(menuOwner);
  if (HMENU menu = PrepareMenu()) {
    TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, menuOwner, nullptr);
    PostMessageW(menuOwner, WM_NULL, 0, 0);
  }
  inPopup_ = false;
}

LRESULT CALLBACK TrayIcon::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) return self->Handle(hwnd, msg, wParam, lParam);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT TrayIcon::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kCallbackMessage) {
    if (wParam == kIconId) HandleMouse(static_cast<UINT>(lParam));
    return 0;
  }
  if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
    if (visible_) {
      Notify(NIM_ADD);
      if (OnReAdded) OnReAdded();
    }
    return 0;
  }
  if (msg == WM_QUERYENDSESSION) return 1;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tovr::app::win32
