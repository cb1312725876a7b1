// The main window TKWForm as the logic sees it: the control models of its seven pages and side
// panel, its timers, its tray menu, the shell's flags and values, and the handlers of every
// event. The Win32 view (app/win32) mirrors the models in
// real controls and delivers events through Dispatch, so every event runs under the one error
// guard.
//
// Files: MainForm.cpp (controls, wiring, lookups, the control handlers), StartupSequence.cpp
// (OnFormCreated), SettingsLoadSave.cpp (LoadSettings, OnSaveButtonClicked), FormLifecycle.cpp
// (showing, hiding, closing, quitting, pages, tray), ToolOperations.cpp (the operations and
// handlers the later tools fill in).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "TovrVersion.h"

#include "app/AppPorts.h"
#include "app/ConfigPlace.h"
#include "app/HandlerGuard.h"
#include "app/TrayTip.h"
#include "settings/SettingsFile.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Control.h"
#include "controls/Edit.h"
#include "controls/MenuItem.h"
#include "controls/PageControl.h"
#include "controls/RangeControl.h"
#include "controls/Timer.h"
#include "memory/MemoryPage.h"
#include "desktop/IconPage.h"
#include "shortcuts/ShortcutPage.h"
#include "transparency/TransparencyPage.h"
#include "startup/StartupPage.h"
#include "tweaks/QuickActions.h"
#include "tweaks/SystemToggles.h"
#include "update/UpdateCheck.h"
#include "wallpaper/WallpaperPage.h"

namespace tovr::app {

// Page indexes of pageControl, in tab order.
enum PageIndex : int {
  kPageShortcut = 0,  // shortcutsTab
  kPageWallpaper,     // wallpaperTab
  kPageIcon,          // iconsTab
  kPageStartup,       // startupTab
  kPageMemory,        // memoryTab
  kPageTransparency,  // transparencyTab
  kPageSettings,      // settingsTab
  kPageCount,
  kSidePanel = -1,  // sidePanel / listButtonsPanel, beside the page control
};

inline constexpr char kWindowCaption[] = "Tovrane " TOVR_VERSION_TEXT "- 测试版";
inline constexpr int kShowRequestMessage = 2024;  // posted by a second instance

using shortcuts::ShortcutMenuRow;

class TKWForm {
 public:
  explicit TKWForm(AppPorts ports);
  virtual ~TKWForm();
  TKWForm(const TKWForm&) = delete;
  TKWForm& operator=(const TKWForm&) = delete;

  // ---- Entry points for the window layer -------------------------------------------------
  // Runs `event` under the error guard as the handler `name`; every call from the view into
  // the form goes through here (model User* calls, timer ticks, menu clicks, messages).
  bool Dispatch(std::string_view name, const std::function<void()>& event);
  // The start-up sequence under the guard: an error ends it at its step and is shown.
  void StartUp() {
    Dispatch("OnFormCreated", [this] { OnFormCreated(); });
  }

  // ---- Lookups for the view and the end-to-end probe --------------------------------------
  controls::Control* FindControl(std::string_view name);
  controls::Timer* FindTimer(std::string_view name);
  controls::MenuItem* FindMenuItem(std::string_view name);
  // The controls placed on a page (kPageShortcut..kPageSettings) or on the side panel (kSidePanel),
  // in layout order. pageControl itself is not listed.
  std::vector<controls::Control*> ControlsOfPage(int page);
  std::vector<controls::Timer*> Timers();

  // ---- Lifecycle (FormLifecycle.cpp; StartupSequence.cpp) --------------------------------
  void OnFormCreated();  // the 28 start-up steps
  // The system image list and the shortcut entries' icons, which start-up leaves for later
  // (the longest part of it): the view runs this at the first idle moment after start-up, and
  // the tray menu's opening and the window's showing run it first when they come earlier.
  void AttachLaterIcons();
  bool iconsLeftForLater = false;
  void OnFormShown();    // run by ShowMainWindow when the window was hidden
  // The close request: true when the window may close (quitting); otherwise hides it.
  bool OnFormCloseRequested();
  void OnApplicationMinimized();  // the owner window was minimised
  void ShowMainWindow();       // also the show request message 2024
  void HideMainWindow();
  void OnShowRequest() { ShowMainWindow(); }
  // WM_QUERYENDSESSION: sets quitting, quits without a question and answers 1.
  int QueryEndSession();
  void OnTrayDoubleClicked();
  void OnShowMainWindowItemClicked();
  void OnQuitItemClicked();
  void OnPageChanged();
  void OnSettingsPageShown();
  void OnTrayMenuOpening();
  void OnCloseButtonClicked();
  void OnRefreshButtonClicked();
  bool MainWindowShown() const { return mainWindowShown; }

  // ---- Settings (SettingsLoadSave.cpp) ----------------------------------------------------
  void LoadSettings();
  // The menu's hotkey field to the system, when its value is not the one last given: a key
  // another program holds is named in a message, once, and the program runs without one.
  void ApplyMenuHotKey();
  void OnSaveButtonClicked();
  // The system toggles as read into folderExploreBox, noSaveOnExitBox and autoRunBox at start-up, or as last written:
  // the save writes a toggle only when its box differs, so a save that leaves a protected setting (a policy) alone
  // cannot be refused on it.
  struct StoredToggles {
    bool folderExplore = false, noSave = false, autorun = false;
  } storedToggles;
  std::optional<std::uint16_t> menuHotKeyTried;  // the menu's hotkey last given to the system

  // ---- Control handlers (MainForm.cpp) ----------------------------------------------------
  void OnTransitionAnimationClicked();
  void OnTimedChangeClicked();
  void OnTransitionEffectChanged();
  void OnIntervalMinutesChanged();
  void OnGroupedMenuClicked();
  void OnTranslucentWindowClicked();
  void OnTranslucentTaskbarClicked();
  void OnTranslucentStartMenuClicked();
  void OnWindowAlphaChanged();
  void OnTaskbarAlphaChanged();
  void OnStartMenuAlphaChanged();
  void OnTransparentTextBackClicked();
  void OnIconRefreshClicked();
  void OnUseProxyClicked();
  void OnIconStyleClicked(const controls::RadioButton& button);  // iconStyleNoneRadio..iconStyleEllipsesRadio
  void OnDefragmentSizeChanged();
  void OnMemoryLimitChanged();
  void OnCpuLimitChanged();
  void OnDefragmentNowClicked();

  // ---- Operations and handlers of the later tools (ToolOperations.cpp) --------------------
  // Virtual so that tests can observe the order in which the spine calls them.
  virtual void SetMainWindowAlpha(int alpha);   // main window translucency
  virtual void SetTaskbarAlpha(int alpha);      // the taskbar window
  virtual void SetStartMenuAlpha(int alpha);    // every Start menu window
  virtual void SetDesktopIconsHidden(bool hidden, bool refreshNow);
  virtual bool DesktopIconsVisible();
  virtual void ApplyIconStyle();
  virtual void PickNextWallpaper();
  virtual void SelectCurrentWallpaper();
  virtual void LoadShortcuts();
  virtual void LoadWallpaperList();
  virtual void ClearStartupList();
  virtual void LoadStartupEntries();
  virtual void ApplyStartupEntries();
  virtual void SaveShortcuts(bool grouped);
  virtual void SaveWallpaperList();
  virtual std::optional<std::string> SelectedWallpaperPath();
  virtual void ApplyAnimatedWallpaper();
  virtual void SetWallpaper(const std::string& path);
  virtual void ClearShortcutMenu();
  virtual void CreateShortcutGroups();
  virtual void AddShortcutMenuItem(const std::string& name, const std::string& target,
                                   bool grouped, int iconIndex);
  virtual std::vector<ShortcutMenuRow> ShortcutRows();
  virtual void SelectShortcutRow(int index);
  virtual void RegisterUrlDropTarget();
  void OnShortcutRowDoubleClicked();       // runs the first selected row's target; nothing without a selection
  void OnWallpaperRowDoubleClicked();      // the selected wallpaper row becomes the wallpaper
  void OnWallpaperPreviewDoubleClicked();  // the same from the preview
  // The desktop shortcut buttons below the list: import, delete all, export.
  void OnImportDesktopLinksClicked();
  void OnDeleteDesktopLinksClicked();
  void OnExportDesktopLinksClicked();
  void OnStartupRowDoubleClicked();  // runs the first selected startup entry
  virtual std::vector<std::string> RefreshWindowList();
  virtual void OnWindowEntryClicked(int index);
  virtual void OnMemoryPageShown();
  virtual void OnMemoryPageHidden();
  virtual void OnTransparencyPageShown();
  virtual void OnAddButtonClicked();
  virtual void OnDeleteButtonClicked();
  virtual void OnModifyButtonClicked();
  // Files dropped onto the main window from Explorer.
  void OnFormFilesDropped(const std::vector<std::string>& paths);
  virtual void OnWallpaperTimer();
  virtual void OnIconRefreshTimer();
  virtual void OnMemoryMonitorTimer();
  virtual void OnUpdateTimer();
  virtual void OnIconTextColourClicked();
  virtual void OnIconTextBackColourClicked();
  virtual void OnHomePageButtonClicked();
  virtual void OnMailButtonClicked();
  virtual void OnHelpButtonClicked();
  virtual void OnNextWallpaperItemClicked();
  virtual void OnHideIconsItemClicked();
  virtual void OnRefreshIconsItemClicked();
  void OnSaveIconLayoutItemClicked();     // the tray's "保存桌面图标位置"
  void OnRestoreIconLayoutItemClicked();  // the tray's "恢复桌面图标位置"
  void OnDisplayChanged();           // WM_DISPLAYCHANGE: the desktop's size changed
  void OnLayoutRestoreDelayElapsed();
  virtual void OnScreenSaverItemClicked();
  virtual void OnDisplayPropertiesItemClicked();
  virtual void OnDefragMemoryItemClicked();
  virtual void OnOpenCdDriveItemClicked();
  virtual void OnCloseCdDriveItemClicked();
  virtual void OnTaskbarTransparencyItemClicked();
  virtual void OnStartMenuTransparencyItemClicked();
  virtual void OnCheckUpdateItemClicked();
  virtual void OnDownloadUpdateItemClicked();
  virtual void OnFeedbackItemClicked();
  virtual void OnAuthorItemClicked();
  virtual void OnHomePageItemClicked();
  virtual void OnHelpItemClicked();
  // "RGB: %3d,%3d,%3d" of a colour (system colours resolved).
  std::string RgbLabelText(std::uint32_t colour);

  // ---- Ports and shared objects -----------------------------------------------------------
  AppPorts ports;
  const std::string exePath;
  const ConfigPlace configPlace;  // beside the executable, or in %APPDATA% where that is read-only
  TSettingsFile settings;         // Config.ini at configPlace
  tweaks::SystemToggles toggles;
  tweaks::QuickActions quickActions;
  HandlerGuard guard;
  std::minstd_rand random;  // seeded at start-up step 10

  // ---- Shell state ------------------------------------------------------------------------
  bool settingsVisited = false;
  bool quitting = false;
  bool mainWindowShown = false;
  bool activeDesktopOn = false;  // measured by the last SetWallpaper; read by the icon hiding
  LocalDateTime programFileTime;
  bool groupedMenu = false;
  // Called at the beginning of each start-up step with its number (for tests and tracing).
  std::function<void(int step)> onStartupStep;

  // ---- Page control and side panel --------------------------------------------------------
  controls::PageControl pageControl;
  controls::Control sidePanel{"sidePanel"};
  controls::Control listButtonsPanel{"listButtonsPanel"};
  controls::Button addButton{"addButton"}, deleteButton{"deleteButton"}, modifyButton{"modifyButton"},
      refreshButton{"refreshButton"};
  controls::Button homePageButton{"homePageButton"}, mailButton{"mailButton"}, helpButton{"helpButton"};
  controls::Button saveButton{"saveButton"}, closeButton{"closeButton"};

  // ---- settingsTab: system settings -----------------------------------------------------------------
  controls::CheckBox translucentWindowBox{"translucentWindowBox", "主窗口界面半透明效果(Win2K, WinXP有效)"};
  controls::SpinEdit windowAlphaEdit{"windowAlphaEdit", 20, 255, 200};
  controls::CheckBox groupedMenuBox{"groupedMenuBox", "使用分组菜单"};
  controls::CheckBox autoUpdateBox{"autoUpdateBox", "自动检测新版本"};
  controls::CheckBox useProxyBox{"useProxyBox", "使用代理服务器"};
  controls::Label proxyHostLabel{"proxyHostLabel", "代理服务器"};
  controls::Edit proxyHostEdit{"proxyHostEdit"};
  controls::Label proxyPortLabel{"proxyPortLabel", "端口"};
  controls::Edit proxyPortEdit{"proxyPortEdit"};
  controls::CheckBox folderExploreBox{"folderExploreBox", "使用“资源管理器”打开“我的电脑”"};
  controls::CheckBox noSaveOnExitBox{"noSaveOnExitBox", "Windwos退出时不保存设置(可加快关机速度)"};
  controls::CheckBox autoRunBox{"autoRunBox", "随Windows启动自动运行"};
  controls::CheckBox animatedIconBox{"animatedIconBox", "使用动画图标"};  // never visible
  controls::Label menuHotKeyLabel{"menuHotKeyLabel", "打开快捷菜单的热键"};
  controls::HotKeyField menuHotKey{"menuHotKey"};

  // ---- Tray menu ---------------------------------------------------------------------------
  std::unique_ptr<controls::MenuItem> trayPopupMenu;

  // ---- shortcutsTab: the shortcut page ------------------------------------------------------
  shortcuts::ShortcutPage shortcutPage;

  // ---- transparencyTab: the transparency page -----------------------------------------------------
  transparency::TransparencyPage transparencyPage;

  // ---- memoryTab: the memory monitor and defragmenter --------------------------------------
  memory::MemoryPage memoryPage;

  // ---- startupTab: the startup page (startupList, startupChanged) ----------------------------------------
  startup::StartupPage startupPage;

  // ---- The update check: updateTimer, the tray's checkUpdateItem and downloadUpdateItem, the notifier ----------
  update::UpdateCheck updateCheck;
  // ---- wallpaperTab: the wallpaper page (its controls, wallpaperTimer, schedule and flags) -----------------
  wallpaper::WallpaperPage wallpaperPage;
  // ---- iconsTab: the desktop icon page --------------------------------------------------------
  desktop::IconPage iconPage;

 private:
  struct Placed {
    controls::Control* control;
    int page;
  };
  void Place(int page, const std::vector<controls::Control*>& controls);
  void WireControls();
  void WireMenu();
  controls::MenuItem& MenuItemNamed(std::string_view name);
  void RefreshPage(const std::string& page);  // select it and perform Refresh
  // The tray icon's tip: the memory monitor's text (or the first one), and while a download
  // runs its progress instead.
  void SetTrayHint(const std::string& hint);
  void ShowDownloadProgress(std::optional<int> percent);

  std::vector<Placed> placed_;
  std::string trayHint_ = kInitialTrayHint;
  bool downloadShown_ = false;
};

}  // namespace tovr::app
