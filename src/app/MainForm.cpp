#include "app/MainForm.h"

#include <stdexcept>

#include "app/AppTitle.h"
#include "app/TrayMenu.h"

namespace tovr::app {

TKWForm::TKWForm(AppPorts p)
    : ports(p),
      exePath(p.env.ExePath()),
      configPlace(PlaceConfig(p.files, exePath, p.env.AppDataPath())),
      settings(p.files, configPlace.path),
      toggles(p.registry),
      quickActions(p.tweaks, p.files, p.messages, HelpPath(exePath)),
      guard(p.messages, ApplicationTitle(exePath)),
      pageControl("pageControl", {{"shortcutsTab", "快捷方式", {}, {}},
                                  {"wallpaperTab", "桌面壁纸", {}, {}},
                                  {"iconsTab", "桌面图标", {}, {}},
                                  {"startupTab", "启动管理", {}, {}},
                                  {"memoryTab", "内存整理", {}, {}},
                                  {"transparencyTab", "透明设置", {}, {}},
                                  {"settingsTab", "系统设置", {}, {}}}),
      trayPopupMenu(BuildTrayMenu()),
      shortcutPage({p.files, p.registry, p.messages, p.icons, p.links, p.shell, p.dialogs}, *trayPopupMenu,
                   [this] {
                     // The import ends on the shortcut page of the shown window.
                     pageControl.SetActivePage("shortcutsTab");
                     ShowMainWindow();
                   }),
      transparencyPage(p.transparency, p.messages, ApplicationTitle(exePath),
                       {[this](int a) { SetMainWindowAlpha(a); }, [this](int a) { SetTaskbarAlpha(a); },
                        [this](int a) { SetStartMenuAlpha(a); }}),
      memoryPage(
          p.memory, MenuItemNamed("defragMemoryItem"),
          [this] { return ports.env.TickCount(); }, [this](const std::string& hint) { SetTrayHint(hint); }),
      startupPage({p.startup, p.registry, p.files, p.icons, p.shell, p.dialogs, p.links, p.messages}),
      updateCheck({p.update, p.messages, p.files}, *trayPopupMenu,
                  {useProxyBox, proxyHostEdit, proxyPortEdit}, programFileTime),
      wallpaperPage({p.wallpaper, p.files, p.registry, p.messages, p.activeDesktop,
                     [&icons = p.icons, &files = p.files](const std::string& path) {
                       return ListIconIndex(icons, files, path, false);
                     }},
                    {[this] { ApplyIconStyle(); },
                     [this](bool hidden, bool refreshNow) { SetDesktopIconsHidden(hidden, refreshNow); },
                     [this] { return DesktopIconsVisible(); }},
                    random, activeDesktopOn),
      iconPage({p.desktop, p.registry, p.activeDesktop, p.files, p.messages,
                ApplicationTitle(exePath), desktop::IconLayoutPath(configPlace.path)},
               MenuItemNamed("hideIconsItem"), activeDesktopOn) {
  // The form's design state, set before any handler is connected.
  windowAlphaEdit.SetEnabled(false);
  proxyHostEdit.SetEnabled(false);
  proxyPortEdit.SetEnabled(false);
  animatedIconBox.SetVisible(false);
  windowAlphaEdit.SetIncrement(5);
  // The window starts hidden: its pages are not showing.
  pageControl.SetShowing(false);

  addButton.SetHint("添加");
  deleteButton.SetHint("删除");
  modifyButton.SetHint("修改");
  refreshButton.SetHint("刷新");
  homePageButton.SetHint(std::string("访问主页 ") + tweaks::kHomePageUrl);
  mailButton.SetHint(std::string("发送邮件 ") + tweaks::kFeedbackAddress);
  helpButton.SetHint("打开帮助");
  saveButton.SetHint("保存设置");
  closeButton.SetHint("关闭");

  Place(kPageShortcut, shortcutPage.Controls());
  Place(kPageWallpaper, wallpaperPage.Controls());
  Place(kPageIcon, iconPage.Controls());
  Place(kPageMemory, memoryPage.Controls());
  Place(kPageTransparency, transparencyPage.Controls());
  Place(kPageSettings, {&translucentWindowBox, &windowAlphaEdit, &groupedMenuBox, &autoUpdateBox, &useProxyBox,
                        &proxyHostLabel, &proxyHostEdit, &proxyPortLabel, &proxyPortEdit, &folderExploreBox,
                        &noSaveOnExitBox, &autoRunBox, &animatedIconBox, &menuHotKeyLabel, &menuHotKey});
  Place(kSidePanel, {&sidePanel, &listButtonsPanel, &addButton, &deleteButton, &modifyButton, &refreshButton,
                     &homePageButton, &mailButton, &helpButton, &saveButton, &closeButton});

  WireControls();
  WireMenu();
}

TKWForm::~TKWForm() = default;

bool TKWForm::Dispatch(std::string_view name, const std::function<void()>& event) {
  return guard.Run(name, event);
}

void TKWForm::Place(int page, const std::vector<controls::Control*>& list) {
  for (controls::Control* c : list) placed_.push_back({c, page});
}

void TKWForm::WireControls() {
  auto& pages = pageControl.Pages();
  pages[kPageWallpaper].OnShow = [this] { SelectCurrentWallpaper(); };
  pages[kPageMemory].OnShow = [this] { OnMemoryPageShown(); };
  pages[kPageMemory].OnHide = [this] { OnMemoryPageHidden(); };
  pages[kPageTransparency].OnShow = [this] { OnTransparencyPageShown(); };
  pages[kPageSettings].OnShow = [this] { OnSettingsPageShown(); };
  pageControl.OnChange = [this] { OnPageChanged(); };

  wallpaperPage.transitionAnimationBox.OnClick = [this] { OnTransitionAnimationClicked(); };
  wallpaperPage.timedChangeBox.OnClick = [this] { OnTimedChangeClicked(); };
  wallpaperPage.transitionEffectCombo.OnChange = [this] { OnTransitionEffectChanged(); };
  wallpaperPage.intervalMinutes.OnChange = [this] { OnIntervalMinutesChanged(); };
  groupedMenuBox.OnClick = [this] { OnGroupedMenuClicked(); };
  translucentWindowBox.OnClick = [this] { OnTranslucentWindowClicked(); };
  transparencyPage.translucentTaskbarBox.OnClick = [this] { OnTranslucentTaskbarClicked(); };
  transparencyPage.translucentStartMenuBox.OnClick = [this] { OnTranslucentStartMenuClicked(); };
  windowAlphaEdit.OnChange = [this] { OnWindowAlphaChanged(); };
  transparencyPage.taskbarAlphaEdit.OnChange = [this] { OnTaskbarAlphaChanged(); };
  transparencyPage.startMenuAlphaEdit.OnChange = [this] { OnStartMenuAlphaChanged(); };
  iconPage.transparentTextBackBox.OnClick = [this] { OnTransparentTextBackClicked(); };
  iconPage.iconRefreshBox.OnClick = [this] { OnIconRefreshClicked(); };
  useProxyBox.OnClick = [this] { OnUseProxyClicked(); };
  for (controls::RadioButton* r : iconPage.iconStyleGroup.Buttons()) {
    r->OnClick = [this, r] { OnIconStyleClicked(*r); };
  }
  memoryPage.defragmentSizeSlider.OnChange = [this] { OnDefragmentSizeChanged(); };
  memoryPage.memoryLimitSlider.OnChange = [this] { OnMemoryLimitChanged(); };
  memoryPage.cpuLimitSlider.OnChange = [this] { OnCpuLimitChanged(); };
  memoryPage.defragmentNowButton.OnClick = [this] { OnDefragmentNowClicked(); };
  iconPage.iconTextColourSwatch.OnClick = [this] { OnIconTextColourClicked(); };
  iconPage.iconTextBackColourSwatch.OnClick = [this] { OnIconTextBackColourClicked(); };

  shortcutPage.importDesktopLinksButton.OnClick = [this] { OnImportDesktopLinksClicked(); };
  shortcutPage.deleteDesktopLinksButton.OnClick = [this] { OnDeleteDesktopLinksClicked(); };
  shortcutPage.exportDesktopLinksButton.OnClick = [this] { OnExportDesktopLinksClicked(); };
  addButton.OnClick = [this] { OnAddButtonClicked(); };
  deleteButton.OnClick = [this] { OnDeleteButtonClicked(); };
  modifyButton.OnClick = [this] { OnModifyButtonClicked(); };
  refreshButton.OnClick = [this] { OnRefreshButtonClicked(); };
  homePageButton.OnClick = [this] { OnHomePageButtonClicked(); };
  mailButton.OnClick = [this] { OnMailButtonClicked(); };
  helpButton.OnClick = [this] { OnHelpButtonClicked(); };
  saveButton.OnClick = [this] { OnSaveButtonClicked(); };
  closeButton.OnClick = [this] { OnCloseButtonClicked(); };

  wallpaperPage.wallpaperTimer.OnTimer = [this] { OnWallpaperTimer(); };
  wallpaperPage.wallpaperPreview.OnDblClick = [this] { OnWallpaperPreviewDoubleClicked(); };
  iconPage.iconRefreshTimer.OnTimer = [this] { OnIconRefreshTimer(); };
  iconPage.layoutRestoreDelayTimer.OnTimer = [this] { OnLayoutRestoreDelayElapsed(); };
  memoryPage.memoryMonitorTimer.OnTimer = [this] { OnMemoryMonitorTimer(); };
  updateCheck.updateTimer.OnTimer = [this] { OnUpdateTimer(); };
  updateCheck.onDownloadProgress = [this](std::optional<int> percent) { ShowDownloadProgress(percent); };
}

void TKWForm::SetTrayHint(const std::string& hint) {
  trayHint_ = hint;
  if (!downloadShown_) ports.ui.SetTrayHint(hint);
}

void TKWForm::ShowDownloadProgress(std::optional<int> percent) {
  downloadShown_ = percent.has_value();
  ports.ui.SetTrayHint(percent ? update::DownloadProgressHint(*percent) : trayHint_);
}

void TKWForm::WireMenu() {
  struct Action {
    const char* name;
    void (TKWForm::*handler)();
  };
  static const Action kActions[] = {
      {"showMainWindowItem", &TKWForm::OnShowMainWindowItemClicked},
      {"nextWallpaperItem", &TKWForm::OnNextWallpaperItemClicked},
      {"hideIconsItem", &TKWForm::OnHideIconsItemClicked},
      {"refreshIconsItem", &TKWForm::OnRefreshIconsItemClicked},
      {"saveIconLayoutItem", &TKWForm::OnSaveIconLayoutItemClicked},
      {"restoreIconLayoutItem", &TKWForm::OnRestoreIconLayoutItemClicked},
      {"screenSaverItem", &TKWForm::OnScreenSaverItemClicked},
      {"displayPropertiesItem", &TKWForm::OnDisplayPropertiesItemClicked},
      {"defragMemoryItem", &TKWForm::OnDefragMemoryItemClicked},
      {"openCdDriveItem", &TKWForm::OnOpenCdDriveItemClicked},
      {"closeCdDriveItem", &TKWForm::OnCloseCdDriveItemClicked},
      {"taskbarTransparencyItem", &TKWForm::OnTaskbarTransparencyItemClicked},
      {"startMenuTransparencyItem", &TKWForm::OnStartMenuTransparencyItemClicked},
      {"checkUpdateItem", &TKWForm::OnCheckUpdateItemClicked},
      {"downloadUpdateItem", &TKWForm::OnDownloadUpdateItemClicked},
      {"feedbackItem", &TKWForm::OnFeedbackItemClicked},
      {"authorItem", &TKWForm::OnAuthorItemClicked},
      {"homePageItem", &TKWForm::OnHomePageItemClicked},
      {"helpItem", &TKWForm::OnHelpItemClicked},
      {"quitItem", &TKWForm::OnQuitItemClicked},
  };
  for (const Action& a : kActions) {
    MenuItemNamed(a.name).OnClick = [this, h = a.handler] { (this->*h)(); };
  }
}

controls::MenuItem& TKWForm::MenuItemNamed(std::string_view name) {
  controls::MenuItem* item = FindMenuItem(name);
  if (!item) throw std::logic_error("tray menu item missing: " + std::string(name));
  return *item;
}

controls::Control* TKWForm::FindControl(std::string_view name) {
  if (name == pageControl.Name()) return &pageControl;
  for (const Placed& p : placed_) {
    if (p.control->Name() == name) return p.control;
  }
  return nullptr;
}

controls::Timer* TKWForm::FindTimer(std::string_view name) {
  for (controls::Timer* t : Timers()) {
    if (t->Name() == name) return t;
  }
  return nullptr;
}

controls::MenuItem* TKWForm::FindMenuItem(std::string_view name) {
  return trayPopupMenu ? trayPopupMenu->Find(std::string(name)) : nullptr;
}

std::vector<controls::Control*> TKWForm::ControlsOfPage(int page) {
  std::vector<controls::Control*> out;
  for (const Placed& p : placed_) {
    if (p.page == page) out.push_back(p.control);
  }
  return out;
}

std::vector<controls::Timer*> TKWForm::Timers() {
  return {&wallpaperPage.wallpaperTimer, &iconPage.iconRefreshTimer, &memoryPage.memoryMonitorTimer,
          &updateCheck.updateTimer, &iconPage.layoutRestoreDelayTimer};
}

// ---- Control handlers ----------------------------------------------------------------------

void TKWForm::OnTransitionAnimationClicked() { wallpaperPage.OnTransitionAnimationClicked(); }
void TKWForm::OnTimedChangeClicked() { wallpaperPage.OnTimedChangeClicked(); }
void TKWForm::OnTransitionEffectChanged() { wallpaperPage.OnTransitionEffectChanged(); }
void TKWForm::OnIntervalMinutesChanged() { wallpaperPage.OnIntervalMinutesChanged(); }

// The tray menu is rebuilt in the chosen form by the next save.
void TKWForm::OnGroupedMenuClicked() { shortcutPage.shortcutsChanged = true; }

void TKWForm::OnUseProxyClicked() {
  proxyHostEdit.SetEnabled(useProxyBox.Checked());
  proxyPortEdit.SetEnabled(useProxyBox.Checked());
}

void TKWForm::OnDefragmentSizeChanged() { memoryPage.OnDefragmentSizeChanged(); }
void TKWForm::OnMemoryLimitChanged() { memoryPage.OnMemoryLimitChanged(); }
void TKWForm::OnCpuLimitChanged() { memoryPage.OnCpuLimitChanged(); }
void TKWForm::OnDefragmentNowClicked() { memoryPage.OnDefragmentNowClicked(); }

}  // namespace tovr::app
