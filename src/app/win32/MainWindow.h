// The window layer of the main window TKWForm: the application's hidden owner window, the
// frame with its page control and seven pages, the side panel's image buttons, the tray icon
// and the tray menu, and the window timers. Every model of TKWForm is mirrored in a real
// control placed by MainLayout; every event reaches the form through TKWForm::Dispatch, that
// is through the one error guard.
//
// The window layer is also the form's IShellUi: showing and hiding the window, file drops,
// ending the message loop, the window's height and icon, the owner's tool-window style, the
// minimise handler, the shared small-icon list and the tray hint.
//
// Test hook: when the environment variable TOVR_DUMP_MENU names a file, each opening of the
// tray menu writes its visible items there (see TrayMenuDump.h).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/AppPorts.h"
#include "app/win32/MainLayout.h"
#include "app/win32/SideGlyphs.h"
#include "app/win32/TrayIcon.h"
#include "controls/win32/ControlBinder.h"
#include "controls/win32/UniqueHandle.h"
#include "memory/win32/MemoryPageView.h"
#include "desktop/win32/IconPageView.h"
#include "shortcuts/win32/ShortcutPageView.h"
#include "transparency/win32/TransparencyPageView.h"
#include "startup/win32/StartupPageView.h"
#include "wallpaper/win32/WallpaperPageView.h"

namespace tovr::app {
class TKWForm;
}

namespace tovr::controls::win32 {
class MenuBinder;
class TimerBinder;
}

namespace tovr::app::win32 {

class MainWindow final : public IShellUi {
 public:
  static constexpr wchar_t kClassName[] = L"TKWForm";
  static constexpr wchar_t kOwnerClassName[] = L"TovrApplication";

  explicit MainWindow(HINSTANCE instance);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the owner window (titled `appTitle`), the hidden main window with every control,
  // the timers, and adds the tray icon (the window stays hidden: the tray's StartMinimized).
  // Returns false when a window could not be created.
  bool Create(TKWForm& form, const std::string& appTitle);
  // Removes the tray icon, stops the timers, lets go of the models and destroys the windows.
  // Call it before the form goes (the destructor does it too, if still needed).
  void Destroy();

  HWND Handle() const { return hwnd_; }
  HWND Owner() const { return owner_; }
  TrayIcon& Tray() { return *tray_; }
  // The real control of a model; null when it has none.
  HWND ControlWindow(const controls::Control& model) const;
  RECT PageArea() const;
  int Dpi() const { return dpi_; }  // the page control's display area, in client coordinates
  // The shortcut page's list view and its web-link drop panel urlDropPanel with the drop target.
  HWND ShortcutListWindow() const { return shortcutPage_ ? shortcutPage_->ListWindow() : nullptr; }
  HWND UrlPanelWindow() const { return shortcutPage_ ? shortcutPage_->UrlPanelWindow() : nullptr; }
  // Registers the drop target on urlDropPanel (RegisterUrlDropTarget; OLE must be initialised), now
  // or when the pages' controls are made.
  void RegisterUrlDrop();
  // The pages' controls are made when the window first shows, or at the first idle moment
  // after the start-up sequence, whichever comes first: a user who starts Tovrane does not
  // wait for seven pages of controls before it is ready.
  void CreateControlsWhenIdle();
  // The icons start-up left for later (TKWForm::AttachLaterIcons): at the first idle moment,
  // or before the tray menu opens when that comes first; the time goes to the figures.
  void AttachLaterIcons();
  void EnsureControls();
  HWND StartupListWindow() const { return startupPage_ ? startupPage_->ListWindow() : nullptr; }
  // The wallpaper page's list view wallpaperList and preview wallpaperPreview.
  HWND WallpaperListWindow() const { return wallpaperPage_ ? wallpaperPage_->ListWindow() : nullptr; }
  HWND WallpaperPreviewWindow() const { return wallpaperPage_ ? wallpaperPage_->PreviewWindow() : nullptr; }
  // Files dropped from the shell onto the window, in the drop's order (the HDROP already
  // released). Set by the composition root to the form's drop handler.
  std::function<void(const std::vector<std::string>& paths)> onFilesDropped;

  // IShellUi
  void ShowMainWindow() override;
  void HideMainWindow() override;
  void AcceptFiles(bool accept) override;
  void QuitApplication() override;
  void SetOuterHeight(int height) override;
  void ApplyApplicationIcon() override;
  void MakeOwnerToolWindow() override;
  void InstallMinimizeHandler() override;
  void ShareSystemImageList() override;
  void SetTrayHint(const std::string& hint) override;
  bool SetMenuHotKey(std::uint16_t value) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleOwner(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  void CreateControls();
  void SetWindowIcons();  // the big and small application icon on both windows
  int Scale(int value) const;  // a length of the 96-DPI design at the window's DPI
  int OuterHeight(int designHeight) const;
  RECT Offset(const LayoutRect& r, int dx, int dy) const;  // a layout rectangle, scaled, moved
  void SizeTabs();
  void ChangeDpi(int dpi, const RECT& suggested);
  void CreateShortcutPage();
  void CreateTransparencyPage();
  void CreateMemoryPage();
  void CreateStartupPage();
  void CreateWallpaperPage();
  void SamplePageColor();
  HBRUSH PageBackground(HDC dc, HWND control);
  void DrawImageButton(const DRAWITEMSTRUCT& item);
  void PaintSidePanel(HDC dc);
  HMENU PrepareTrayMenu();
  void Minimize();
  void Center();

  HINSTANCE instance_;
  TKWForm* form_ = nullptr;
  HWND owner_ = nullptr;
  int dpi_ = 96;  // the DPI the window is laid out for
  HWND hwnd_ = nullptr;
  controls::win32::UniqueHandle<HFONT, &DeleteObject> font_;
  HICON bigIcon_ = nullptr;    // shared resource icons: never destroyed
  HICON smallIcon_ = nullptr;
  std::unique_ptr<controls::win32::ControlBinder> binder_;
  std::unique_ptr<controls::win32::MenuBinder> menu_;
  std::unique_ptr<controls::win32::TimerBinder> timers_;
  std::unique_ptr<TrayIcon> tray_;
  HIMAGELIST systemImages_ = nullptr;  // the system's, shared, never destroyed
  bool minimizeHandler_ = false;
  bool centred_ = false;
  bool controlsMade_ = false;
  bool urlDropWanted_ = false;
  bool iconWanted_ = false;  // the windows take the application icon when made complete
  HWND savedFocus_ = nullptr;
  std::unordered_map<HWND, SideGlyph> sideGlyphs_;
  controls::win32::UniqueBitmap ownPicture_;  // "[关于]"'s picture in the tray menu
  controls::win32::UniqueBrush pageBrush_;     // the colour the page control paints its pages
  COLORREF pageColor_ = 0;
  std::unique_ptr<shortcuts::win32::ShortcutPageView> shortcutPage_;
  std::unique_ptr<transparency::win32::TransparencyPageView> transparencyPage_;
  std::unique_ptr<memory::win32::MemoryPageView> memoryPage_;
  std::unique_ptr<startup::win32::StartupPageView> startupPage_;
  std::unique_ptr<wallpaper::win32::WallpaperPageView> wallpaperPage_;
  std::unique_ptr<desktop::win32::IconPageView> iconPage_;
};

}  // namespace tovr::app::win32
