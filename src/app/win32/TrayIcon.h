// The tray icon component: one icon in the notification area with its tooltip, the mouse on
// the icon turned into a menu pop-up and a double-click action, and re-adding the icon when
// the taskbar is recreated.
//
// The component owns a hidden top-level window of its own (class "TovrTrayWindow"): it takes
// the callback message 0x800 whose lParam carries the mouse message, hears the broadcast
// "TaskbarCreated", and answers WM_QUERYENDSESSION with 1 (Windows may end). The icon record is
// the wide NOTIFYICONDATAW with icon id 1 and NIF_MESSAGE | NIF_ICON | NIF_TIP; its tooltip is
// the hint cut to the record's 127 UTF-16 units, never in the middle of a character.
//
// A failed Shell_NotifyIconW call is neither reported nor retried; the next "TaskbarCreated"
// or change of icon or hint tries again.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace tovr::app::win32 {

class TrayIcon {
 public:
  static constexpr UINT kCallbackMessage = 0x800;
  static constexpr UINT kIconId = 1;

  explicit TrayIcon(HINSTANCE instance);
  ~TrayIcon();  // removes the icon (NIM_DELETE) and destroys the window
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  HWND Window() const { return window_; }

  // IconVisible: true adds the icon (NIM_ADD), false removes it.
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  // True when the last add or modify of the icon was accepted by the shell.
  bool InTray() const { return inTray_; }

  void SetIcon(HICON icon);  // not owned
  HICON Icon() const { return icon_; }
  void SetHint(std::string_view utf8);
  const std::string& Hint() const { return hint_; }
  void SetShowHint(bool show);
  // Mouse events on the icon are handled only while enabled.
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // The tooltip field as it is sent: the hint cut to 127 UTF-16 units without splitting a
  // character, or empty when the hint is empty or not to be shown.
  std::wstring TipText() const;

  // PopupTrayMenu: with the mouse position readable and a menu owner set, lets pending
  // messages run, brings `menuOwner` to the foreground, asks PrepareMenu for the menu (which
  // runs the menu's opening handler first), tracks it at the pointer with its left edge there
  // and the right button tracking, then posts WM_NULL to the owner. Commands of the menu go to
  // the owner as WM_COMMAND.
  void PopupTrayMenu();
  // While the start-up sequence runs the menu is not complete: a click that asks for it then is
  // remembered, and the menu opens once it is released.
  void HoldMenu();
  void ReleaseMenu();

  HWND menuOwner = nullptr;
  std::function<HMENU()> PrepareMenu;  // null result: no menu
  std::function<void()> OnDblClick;
  // Called when the icon was added again after the taskbar came back.
  std::function<void()> OnReAdded;

  // The mouse message carried by a callback message (what the shell sends in lParam).
  void HandleMouse(UINT mouseMessage);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool Notify(DWORD action);
  void Update();  // NIM_MODIFY when shown

  HWND window_ = nullptr;
  UINT taskbarCreated_ = 0;
  HICON icon_ = nullptr;
  std::string hint_;
  bool showHint_ = true;
  bool visible_ = false;
  bool inTray_ = false;
  bool enabled_ = true;
  bool clickPending_ = false;
  bool inPopup_ = false;
  bool menuHeld_ = false;
  bool menuAsked_ = false;
};

}  // namespace tovr::app::win32
