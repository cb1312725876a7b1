// The save button: its groups (A always, W after wallpaper edits, S once the settings page has
// been shown), the system toggles, the effects after writing, a failed write, one write per
// save.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/FormHarness.h"
#include "app/TrayMenu.h"

namespace tovr::app {
namespace {

const std::set<std::string> kGroupA = {
    "IconR",     "Ratio",    "Cycles",    "IconFC",      "IconBC",   "IconTrans",
    "IconStyle", "DynamicDesk", "DynaIndex", "MemRange", "MemLimitV", "CPULimitV",
    "MemLimit",  "CPULimit", "AnimateIcon", "UseProxy",  "ProxyIP",  "ProxyPort",
    "NoSave",    "HideIcons", "AutoRefIcon", "RefIconDelay", "RestoreIconLayout"};
const std::set<std::string> kGroupW = {"AutoChange", "Interval", "RunChange", "RandomChange"};
const std::set<std::string> kGroupS = {"Transparent", "TBTransparent", "MUTransparent",
                                       "transparence", "transTaskBar", "transMenu",
                                       "SortMenu",    "AutoUpdate",    "HotKey"};

std::set<std::string> OptionKeys(FormHarness& h) {
  TSettingsFile file(h.fs, kConfigPath);
  const auto keys = file.SectionKeys("Option");
  return {keys.begin(), keys.end()};
}

std::set<std::string> Union(std::initializer_list<const std::set<std::string>*> sets) {
  std::set<std::string> out = {"Greeting"};
  for (const auto* s : sets) out.insert(s->begin(), s->end());
  return out;
}

// Changes made to the three registry settings of the settings page.
std::vector<RegChange> ToggleChanges(const FakeRegistry& registry) {
  std::vector<RegChange> out;
  for (const RegChange& c : registry.Changes()) {
    if (c.path.find("Folder") != std::string::npos ||
        c.path.find("Policies") != std::string::npos || c.path.find("Run") != std::string::npos) {
      out.push_back(c);
    }
  }
  return out;
}

TEST(SettingsSaveTest, GroupsFollowTheFlags) {
  struct Case {
    bool wallpaperChanged;
    bool visited;
  };
  const Case cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FormHarness h;
    RecordingForm& f = h.Started();  // first run: the file holds only Greeting
    if (cases[i].visited) h.VisitSettingsPage();
    f.wallpaperPage.wallpaperChanged = cases[i].wallpaperChanged;
    f.OnSaveButtonClicked();
    std::set<std::string> want = Union({&kGroupA});
    if (cases[i].wallpaperChanged) want.insert(kGroupW.begin(), kGroupW.end());
    if (cases[i].visited) want.insert(kGroupS.begin(), kGroupS.end());
    EXPECT_EQ(OptionKeys(h), want) << "case " << i;
    EXPECT_EQ(h.Logged("SaveWallpaperList"), cases[i].wallpaperChanged) << "case " << i;
    EXPECT_TRUE(h.messages.shown.size() == 1) << "case " << i << ": only the greeting";
  }
}

TEST(SettingsSaveTest, SettingsPageNeverShownLeavesItsKeysAndTheRegistryAlone) {
  FormHarness h;
  const std::string s =
      "Transparent=1\r\nTransparence=150\r\nTBTransparent=1\r\nMUTransparent=1\r\n"
      "transTaskBar=90\r\ntransMenu=80\r\nSortMenu=1\r\nAutoUpdate=0\r\n";
  h.GivenOptions(s);
  RecordingForm& f = h.Started();
  h.registry.ClearChanges();
  // Edits on the page without showing it, then show the window on another page and save.
  f.translucentWindowBox.SetChecked(false);
  f.autoRunBox.SetChecked(false);
  f.folderExploreBox.SetChecked(true);
  f.ShowMainWindow();
  f.OnSaveButtonClicked();
  TSettingsFile file(h.fs, kConfigPath);
  EXPECT_EQ(file.GetText("Option", "Transparent", ""), "1");
  EXPECT_EQ(file.GetText("Option", "Transparence", ""), "150");
  EXPECT_EQ(file.GetText("Option", "AutoUpdate", ""), "0");
  EXPECT_EQ(file.GetText("Option", "SortMenu", ""), "1");
  EXPECT_TRUE(ToggleChanges(h.registry).empty());
  EXPECT_FALSE(f.updateCheck.updateTimer.Enabled());
}

TEST(SettingsSaveTest, SettingsPageShownWritesItsKeysAndAppliesTheToggles) {
  FormHarness h;
  h.GivenOptions("Transparent=1\r\nTransparence=150\r\n");
  h.registry.Put(RegRoot::LocalMachine, kRunKey, "Tovr", RegValue::FromString(kExePath));
  RecordingForm& f = h.Started();
  ASSERT_TRUE(f.autoRunBox.Checked());
  h.VisitSettingsPage();
  f.folderExploreBox.UserClick();
  f.noSaveOnExitBox.UserClick();
  f.autoRunBox.UserClick();  // off: our own Run value goes
  f.autoUpdateBox.UserClick();
  f.OnSaveButtonClicked();

  TSettingsFile file(h.fs, kConfigPath);
  EXPECT_EQ(file.GetNumber("Option", "transparence", 0), 150);
  EXPECT_EQ(file.GetText("Option", "AutoUpdate", ""), "0");
  EXPECT_EQ(file.GetText("Option", "NoSave", ""), "1");
  EXPECT_FALSE(f.updateCheck.updateTimer.Enabled());
  EXPECT_EQ(h.registry.Peek(RegRoot::LocalMachine, "SOFTWARE\\Classes\\Folder\\shell", ""),
            RegValue::FromString("explore"));
  const auto noSave = h.registry.Peek(
      RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
      "NoSaveSettings");
  ASSERT_TRUE(noSave.has_value());
  EXPECT_EQ(noSave->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_FALSE(h.registry.Peek(RegRoot::LocalMachine, kRunKey, "Tovr").has_value());
}

TEST(SettingsSaveTest, TransparenceIsWrittenUnderTheLowerCaseSpellingOnANewFile) {
  FormHarness h;
  RecordingForm& f = h.Started();
  h.VisitSettingsPage();
  f.OnSaveButtonClicked();
  EXPECT_NE(h.ConfigText().find("\r\ntransparence=200\r\n"), std::string::npos) << h.ConfigText();
}

TEST(SettingsSaveTest, SettingsVisitedSurvivesHidingAndShowing) {
  FormHarness h;
  RecordingForm& f = h.Started();
  h.VisitSettingsPage();
  f.OnCloseButtonClicked();
  f.pageControl.SetActivePage("shortcutsTab");
  f.ShowMainWindow();
  f.OnSaveButtonClicked();
  EXPECT_TRUE(OptionKeys(h).contains("transparence"));
}

TEST(SettingsSaveTest, ShowingTheWindowOnTheSettingsPageCountsAsVisiting) {
  FormHarness h;
  RecordingForm& f = h.Started();
  f.pageControl.SetActivePage("settingsTab");  // while hidden: not shown yet
  EXPECT_FALSE(f.settingsVisited);
  f.ShowMainWindow();
  EXPECT_TRUE(f.settingsVisited);
}

TEST(SettingsSaveTest, DynaIndexAbsentSavesMinusOne) {
  FormHarness h;
  h.GivenOptions("IconBC=bad\r\n");
  RecordingForm& f = h.Started();
  f.OnSaveButtonClicked();
  TSettingsFile file(h.fs, kConfigPath);
  EXPECT_EQ(file.GetText("Option", "DynaIndex", ""), "-1");
  EXPECT_EQ(file.GetText("Option", "IconBC", ""), "-1");
  EXPECT_EQ(file.GetText("Option", "IconFC", ""), "16777215");
}

TEST(SettingsSaveTest, ProxyPortKeepsItsText) {
  FormHarness h;
  h.GivenOptions("ProxyPort=80 80x\r\n");
  RecordingForm& f = h.Started();
  f.OnSaveButtonClicked();
  TSettingsFile file(h.fs, kConfigPath);
  EXPECT_EQ(file.GetText("Option", "ProxyPort", "?"), "80 80x");
  EXPECT_EQ(file.GetText("Option", "ProxyIP", "?"), "");
}

TEST(SettingsSaveTest, WallpaperScheduleTakesTheNewInterval) {
  struct Case {
    int minutesLeft;
    int want;
  };
  const Case cases[] = {{45, 30}, {10, 10}, {0, 30}, {-1, 30}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FormHarness h;
    RecordingForm& f = h.Started();
    f.wallpaperPage.timedChangeBox.SetChecked(true);
    f.wallpaperPage.intervalMinutes.SetValue(30);
    f.wallpaperPage.minutesLeft = cases[i].minutesLeft;
    f.wallpaperPage.wallpaperChanged = true;
    f.OnSaveButtonClicked();
    EXPECT_EQ(f.wallpaperPage.changeInterval, 30) << "case " << i;
    EXPECT_EQ(f.wallpaperPage.minutesLeft, cases[i].want) << "case " << i;
    EXPECT_EQ(f.wallpaperPage.minutesLeftLabel.Caption(), "少于 " + std::to_string(cases[i].want) + " 分钟")
        << "case " << i;
    EXPECT_TRUE(f.wallpaperPage.wallpaperTimer.Enabled()) << "case " << i;
    EXPECT_TRUE(f.wallpaperPage.minutesLeftLabel.Enabled()) << "case " << i;
  }
}

TEST(SettingsSaveTest, AnimatedWallpaperKeepsTheTimerAndLabelOff) {
  FormHarness h;
  RecordingForm& f = h.Started();
  f.wallpaperPage.transitionAnimationBox.SetChecked(true);
  f.wallpaperPage.wallpaperChanged = true;
  f.OnSaveButtonClicked();
  EXPECT_TRUE(f.wallpaperPage.timedChangeBox.Checked());
  EXPECT_FALSE(f.wallpaperPage.wallpaperTimer.Enabled());
  EXPECT_FALSE(f.wallpaperPage.minutesLeftLabel.Enabled());
}

TEST(SettingsSaveTest, PendingWallpaperIsAppliedOnceThenCleared) {
  struct Case {
    bool animated;
    std::optional<std::string> selected;
    const char* call;
  };
  const Case cases[] = {{true, "C:\\a.jpg", "ApplyAnimatedWallpaper"},
                        {false, "C:\\a.jpg", "SetWallpaper(C:\\a.jpg)"},
                        {false, std::nullopt, "SetWallpaper()"}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FormHarness h;
    RecordingForm& f = h.Started();
    f.wallpaperPage.transitionAnimationBox.SetChecked(cases[i].animated);
    f.selectedWallpaper = cases[i].selected;
    f.wallpaperPage.wallpaperApplyPending = true;
    f.OnSaveButtonClicked();
    EXPECT_EQ(h.log.front(), cases[i].call) << "case " << i;
    EXPECT_FALSE(f.wallpaperPage.wallpaperApplyPending) << "case " << i;
    h.log.clear();
    f.OnSaveButtonClicked();
    EXPECT_FALSE(h.Logged(cases[i].call)) << "case " << i << ": applied again";
  }
}

TEST(SettingsSaveTest, ListsAreSavedOnlyWhenChanged) {
  FormHarness h;
  RecordingForm& f = h.Started();
  f.OnSaveButtonClicked();
  EXPECT_FALSE(h.Logged("SaveShortcuts(0)"));
  EXPECT_FALSE(h.Logged("ApplyStartupEntries"));
  f.groupedMenuBox.UserClick();  // sets shortcutsChanged; the menu is rebuilt grouped
  f.startupPage.startupChanged = true;
  f.OnSaveButtonClicked();
  EXPECT_TRUE(h.Logged("SaveShortcuts(1)"));
  EXPECT_TRUE(h.Logged("ApplyStartupEntries"));
  EXPECT_TRUE(f.groupedMenu);
}

TEST(SettingsSaveTest, AfterWritingItAppliesTheDesktopSettings) {
  FormHarness h;
  RecordingForm& f = h.Started();
  f.iconPage.iconStyleRightRadio.UserClick();
  f.iconPage.hideIconsBox.UserClick();
  f.iconPage.iconRefreshSeconds.SetValue(7);
  f.OnSaveButtonClicked();
  EXPECT_EQ(h.log, (std::vector<std::string>{"ApplyIconStyle", "SetDesktopIconsHidden(1,1)",
                                             "ui.AcceptFiles(0)"}));
  EXPECT_TRUE(f.FindMenuItem("hideIconsItem")->Checked());
  EXPECT_TRUE(f.FindMenuItem("refreshIconsItem")->Enabled());
  EXPECT_EQ(f.iconPage.iconRefreshTimer.Interval(), 7000u);
  EXPECT_TRUE(f.iconPage.iconRefreshTimer.Enabled());

  f.iconPage.iconStyleNoneRadio.UserClick();
  f.iconPage.iconRefreshBox.UserClick();  // off
  f.OnSaveButtonClicked();
  EXPECT_FALSE(f.FindMenuItem("refreshIconsItem")->Enabled());
  EXPECT_FALSE(f.iconPage.iconRefreshTimer.Enabled());
  TSettingsFile file(h.fs, kConfigPath);
  EXPECT_EQ(file.GetText("Option", "AutoRefIcon", ""), "0");
  EXPECT_EQ(file.GetText("Option", "IconStyle", ""), "0");
}

TEST(SettingsSaveTest, SavingTwiceWritesTheSameAndChangesNothingElse) {
  FormHarness h;
  h.GivenOptions("Interval=30\r\nAutoChange=1\r\nIconStyle=5\r\nUseProxy=1\r\n");
  RecordingForm& f = h.Started();
  h.VisitSettingsPage();
  f.wallpaperPage.wallpaperChanged = true;
  f.OnSaveButtonClicked();  // creates the keys its values need (reading at start-up creates none)
  h.registry.ClearChanges();
  h.log.clear();
  f.OnSaveButtonClicked();
  const std::string first = h.ConfigText();
  const auto firstChanges = h.registry.Changes();
  const auto firstLog = h.log;
  h.registry.ClearChanges();
  h.log.clear();
  f.OnSaveButtonClicked();
  EXPECT_EQ(h.ConfigText(), first);
  EXPECT_EQ(h.registry.Changes(), firstChanges);
  EXPECT_EQ(h.log, firstLog);
}

TEST(SettingsSaveTest, ReadsAndWritesTheFileOncePerSave) {
  FormHarness h;
  RecordingForm& f = h.Started();
  h.VisitSettingsPage();
  f.wallpaperPage.wallpaperChanged = true;
  h.fs.ResetCounts();
  f.OnSaveButtonClicked();
  EXPECT_EQ(h.fs.Reads(), 1);
  EXPECT_EQ(h.fs.Writes(), 1);
}

TEST(SettingsSaveTest, FailedWriteStopsTheSaveAndIsShown) {
  FormHarness h;
  h.GivenOptions("Transparent=1\r\n");
  RecordingForm& f = h.Started();
  h.VisitSettingsPage();
  const std::string before = h.ConfigText();
  h.fs.SetReadOnly(kConfigPath);
  h.registry.ClearChanges();
  h.log.clear();
  f.autoRunBox.UserClick();

  f.Dispatch("saveButton", [&] { f.saveButton.UserClick(); });

  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "Unable to write to C:\\Tovr\\Config.ini.");
  EXPECT_EQ(h.messages.shown[0].caption, "Tovrane");
  EXPECT_EQ(h.messages.shown[0].flags, 16u);
  EXPECT_EQ(h.ConfigText(), before);
  EXPECT_TRUE(ToggleChanges(h.registry).empty());
  EXPECT_FALSE(h.Logged("ApplyIconStyle"));
}

// A user without administrator rights: Windows protects the Policies keys. A save that leaves
// the system boxes as they were loaded writes none of them; a ticked policy box is refused,
// said once at the end, and every other step of the save still runs; the refused box is tried
// again at the next save.
TEST(SettingsSaveTest, RefusedToggleIsReportedOnceAndTheRestOfTheSaveRuns) {
  FormHarness h;
  h.registry.DenyAsStandardUser();
  RecordingForm& f = h.Started();
  h.VisitSettingsPage();
  h.registry.ClearChanges();
  h.messages.shown.clear();
  f.Dispatch("saveButton", [&] { f.saveButton.UserClick(); });
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_TRUE(ToggleChanges(h.registry).empty());

  for (int save = 0; save < 2; ++save) {
    if (save == 0) f.noSaveOnExitBox.UserClick();
    f.startupPage.startupChanged = true;
    f.wallpaperPage.wallpaperApplyPending = true;
    f.iconPage.ringCount.SetValue(3);
    h.log.clear();
    h.messages.shown.clear();
    f.Dispatch("saveButton", [&] { f.saveButton.UserClick(); });
    ASSERT_EQ(h.messages.shown.size(), 1u) << save;
    EXPECT_EQ(h.messages.shown[0].text,
              "Windows 拒绝了以下更改，其余设置均已保存：\r\n"
              "“Windwos退出时不保存设置(可加快关机速度)”（Failed to set data for 'NoSaveSettings'）。")
        << save;
    EXPECT_TRUE(ToggleChanges(h.registry).empty()) << save;
    for (const char* step : {"ApplyStartupEntries", "SetWallpaper()", "ApplyIconStyle"}) {
      EXPECT_TRUE(h.Logged(step)) << save << " " << step;
    }
    TSettingsFile file(h.fs, kConfigPath);
    EXPECT_EQ(file.GetText("Option", "Cycles", ""), "3") << save;
    EXPECT_EQ(file.GetText("Option", "NoSave", ""), "1") << save;
  }
}

}  // namespace
}  // namespace tovr::app
