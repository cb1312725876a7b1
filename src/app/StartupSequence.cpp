// OnFormCreated: the start-up sequence. When it runs, the window's controls exist and the tray
// icon is already in the notification area; the window stays hidden afterwards. An error in a
// step ends the sequence there (the guard shows it) and the program still lives in the tray.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "app/TrayMenu.h"

namespace tovr::app {

namespace {

constexpr char kGreetingCaption[] = "欢迎使用Tovrane";
constexpr char kGreetingText[] =
    "这是您第一次运行 Tovrane 。\r\r"
    "Tovrane 已经设置为随Windows启动自动运行。\r\r"
    "请点击系统托盘处的图标来打开主界面。";
constexpr unsigned kGreetingFlags = kMbOk | kMbIconInformation | kMbSystemModal;  // 4160

}  // namespace

void TKWForm::OnFormCreated() {
  auto step = [this](int n) {
    if (onStartupStep) onStartupStep(n);
  };
  IEnvironment& env = ports.env;

  step(1);
  updateCheck.updateTicks = 0;

  step(2);
  ports.ui.SetOuterHeight(358);

  step(3);
  ports.ui.ApplyApplicationIcon();

  step(4);  // first run: no Config.ini yet
  if (configPlace.moved) {
    ports.messages.Show(ConfigMovedText(configPlace.path), ApplicationTitle(exePath), kMbOk | kMbIconInformation);
  }
  if (!settings.Exists()) {
    // A refused autorun is shown once and the start-up goes on, so the settings load records
    // the greeting and the next start is no first start. The greeting, which says autorun was
    // set up, is shown only when it was.
    if (Dispatch("SetAutorun", [this] { toggles.SetAutorun(exePath, true); })) {
      autoRunBox.SetChecked(true);
      ports.messages.Show(kGreetingText, kGreetingCaption, kGreetingFlags);
    }
  }

  step(5);
  programFileTime = env.ExeFileTime().value_or(LocalDateTime{});

  step(6);
  memoryPage.lastAutoRun = env.TickCount();

  step(7);
  updateCheck.SetTempFolder(env.TempPath());

  step(8);
  ports.ui.MakeOwnerToolWindow();

  step(9);
  RegisterUrlDropTarget();

  step(10);
  random.seed(env.TickCount());

  step(11);
  pageControl.SetActivePage("shortcutsTab");

  step(12);
  ports.ui.AcceptFiles(true);

  step(13);
  ports.ui.InstallMinimizeHandler();

  step(14);
  quitting = false;

  step(15);  // the system image list and the shortcut entries' icons: at the first idle moment
  iconsLeftForLater = true;
  shortcutPage.shortcutList.LeaveIconsForLater();

  step(16);  // the system's state into the settings page
  storedToggles = {toggles.IsFolderExplore(), toggles.ExplorerNoSave(2), toggles.IsAutorun(exePath)};
  folderExploreBox.SetChecked(storedToggles.folderExplore);
  noSaveOnExitBox.SetChecked(storedToggles.noSave);
  autoRunBox.SetChecked(storedToggles.autorun);
  MenuItemNamed("hideIconsItem").SetChecked(!DesktopIconsVisible());

  step(17);
  MenuItemNamed("helpItem").SetEnabled(quickActions.HelpFileExists());

  step(18);
  SetAboutCaptions(*trayPopupMenu);

  step(19);
  iconPage.circleRadius.SetValue(env.ScreenHeight() / 2);

  step(20);
  LoadSettings();

  step(21);  // ticking the stored arrangement's button enables them again for style 5
  iconPage.circleRadius.SetEnabled(false);
  iconPage.ellipseRatio.SetEnabled(false);
  iconPage.ringCount.SetEnabled(false);

  step(22);
  groupedMenu = groupedMenuBox.Checked();
  wallpaperPage.transitionEffectCombo.SetEnabled(wallpaperPage.transitionAnimationBox.Checked());

  step(23);  // a hand-edited style outside 0..5 names no button: nothing is ticked
  if (controls::RadioButton* r = iconPage.iconStyleGroup.WithTag(iconPage.iconStyle)) {
    r->SetChecked(true);
  }

  step(24);  // loads the startup, wallpaper and shortcut lists, in that order
  RefreshPage("startupTab");
  RefreshPage("wallpaperTab");
  RefreshPage("shortcutsTab");

  step(25);
  if (groupedMenu) CreateShortcutGroups();

  step(26);
  const std::vector<ShortcutMenuRow> rows = ShortcutRows();
  if (!rows.empty()) {
    SelectShortcutRow(0);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
      AddShortcutMenuItem(row->name, row->target, groupedMenu, row->iconIndex);
    }
  }

  step(27);
  iconPage.circleRadius.SetMax(env.ScreenHeight() / 2);

  step(28);
  if (wallpaperPage.changeAtStartupBox.Checked() && !wallpaperPage.transitionAnimationBox.Checked()) {
    PickNextWallpaper();  // ends with ApplyIconStyle
  } else {
    ApplyIconStyle();
  }
}

void TKWForm::AttachLaterIcons() {
  if (!iconsLeftForLater) return;
  iconsLeftForLater = false;
  ports.ui.ShareSystemImageList();
  shortcutPage.LookUpLaterIcons();
}

void TKWForm::RefreshPage(const std::string& page) {
  pageControl.SetActivePage(page);
  OnRefreshButtonClicked();
}

}  // namespace tovr::app
