// OnFormCreated: the 28 start-up steps in order, the first run, and an error ending the sequence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FormHarness.h"

namespace tovr::app {
namespace {

constexpr char kGreeting[] =
    "这是您第一次运行 Tovrane 。\r\rTovrane 已经设置为随Windows启动自动运行。\r\r"
    "请点击系统托盘处的图标来打开主界面。";

TEST(StartupSequenceTest, RunsTheStepsInOrderWithTheirCalls) {
  FormHarness h;
  h.NewForm().StartUp();
  const std::vector<std::string> want = {
      "step 1",  "step 2",  "ui.SetOuterHeight(358)", "step 3", "ui.ApplyApplicationIcon",
      "step 4",  "box 欢迎使用Tovrane", "step 5", "step 6", "step 7", "step 8",
      "ui.MakeOwnerToolWindow", "step 9", "step 10", "step 11", "step 12", "ui.AcceptFiles(1)",
      "step 13", "ui.InstallMinimizeHandler", "step 14", "step 15",
      "step 16", "step 17", "step 18", "step 19", "step 20", "SetDesktopIconsHidden(0,1)", "ui.SetMenuHotKey(1611)",
      "step 21", "step 22", "step 23", "step 24", "ClearStartupList", "LoadStartupEntries",
      "LoadWallpaperList", "LoadShortcuts", "step 25", "step 26", "step 27", "step 28",
      "ApplyIconStyle"};
  EXPECT_EQ(h.log, want);
  h.log.clear();  // the system image list waits for the first idle moment, and comes once
  h.form->AttachLaterIcons();
  h.form->AttachLaterIcons();
  EXPECT_EQ(h.log, std::vector<std::string>{"ui.ShareSystemImageList"});
  EXPECT_EQ(h.form->pageControl.ActiveName(), "shortcutsTab");
  EXPECT_FALSE(h.form->MainWindowShown());
  EXPECT_FALSE(h.ui.visible);
}

TEST(StartupSequenceTest, FirstRunSetsUpAutorunGreetsOnceAndLeavesOnlyTheMarker) {
  FormHarness h;
  RecordingForm& f = h.NewForm();
  f.StartUp();
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, kGreeting);
  EXPECT_EQ(h.messages.shown[0].caption, "欢迎使用Tovrane");
  EXPECT_EQ(h.messages.shown[0].flags, 4160u);
  EXPECT_TRUE(f.autoRunBox.Checked());
  EXPECT_EQ(h.registry.Peek(RegRoot::LocalMachine, kRunKey, "Tovr"),
            RegValue::FromString(kExePath));
  TSettingsFile file(h.fs, kConfigPath);
  EXPECT_EQ(file.SectionNames(), std::vector<std::string>{"Option"});
  EXPECT_EQ(file.SectionKeys("Option"), std::vector<std::string>{"Greeting"});
  EXPECT_EQ(file.GetText("Option", "Greeting", ""), "Thank");
  // Defaults of a first run.
  EXPECT_TRUE(f.iconPage.iconRefreshTimer.Enabled());
  EXPECT_EQ(f.iconPage.iconRefreshTimer.Interval(), 5000u);
  EXPECT_TRUE(f.updateCheck.updateTimer.Enabled());
  EXPECT_FALSE(f.wallpaperPage.wallpaperTimer.Enabled());

  // The second start finds the file: no greeting, autorun read back from the registry.
  const std::string firstFile = h.ConfigText();
  h.messages.shown.clear();
  RecordingForm& second = h.NewForm();
  second.StartUp();
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_TRUE(second.autoRunBox.Checked());
  EXPECT_EQ(h.ConfigText(), firstFile);
}

TEST(StartupSequenceTest, ReadsTheSystemStateIntoTheSettingsPage) {
  FormHarness h;
  h.GivenOptions("");
  h.registry.Put(RegRoot::LocalMachine, "SOFTWARE\\Classes\\Folder\\shell", "",
                 RegValue::FromString("explore"));
  h.registry.Put(RegRoot::CurrentUser,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                 "NoSaveSettings", RegValue::FromDword(1));
  h.registry.Put(RegRoot::LocalMachine, kRunKey, "Tovr",
                 RegValue::FromString("c:\\tovr\\tovrane.exe"));  // other letter case
  RecordingForm& f = h.Started();
  EXPECT_TRUE(f.folderExploreBox.Checked());
  EXPECT_TRUE(f.noSaveOnExitBox.Checked());
  EXPECT_FALSE(f.autoRunBox.Checked());
}

TEST(StartupSequenceTest, HelpItemAndButtonFollowTheHelpFile) {
  for (bool present : {false, true}) {
    FormHarness h;
    h.GivenOptions("");
    if (present) h.fs.SetFile("C:\\Tovr\\help.chm", "x");
    RecordingForm& f = h.Started();
    EXPECT_EQ(f.FindMenuItem("helpItem")->Enabled(), present);
    f.ShowMainWindow();
    EXPECT_EQ(f.helpButton.Enabled(), present);
  }
}

TEST(StartupSequenceTest, SetsTheAboutCaptionsAndTheRadius) {
  FormHarness h;
  h.env.screenHeight = 1001;
  h.GivenOptions("");
  RecordingForm& f = h.Started();
  EXPECT_EQ(f.FindMenuItem("aboutVersionItem")->Caption(), "[版本  2.53 测试版]");
  EXPECT_EQ(f.FindMenuItem("aboutNameItem")->Caption(), "[名称 Tovrane]");
  EXPECT_EQ(f.iconPage.circleRadius.Value(), 500);
  EXPECT_EQ(f.iconPage.circleRadius.Max(), 500);
  EXPECT_EQ(f.updateCheck.downloadTempFile, "C:\\Temp\\NbDown.tmp");
  EXPECT_EQ(f.memoryPage.lastAutoRun, h.env.tickCount);
  EXPECT_EQ(f.programFileTime, (LocalDateTime{2004, 5, 6, 7, 8, 9, 0}));
}

TEST(StartupSequenceTest, TicksTheStoredArrangement) {
  struct Case {
    const char* style;
    const char* ticked;
    bool circleEnabled;
  };
  const Case cases[] = {{"0", "iconStyleNoneRadio", false},
                        {"3", "iconStyleTopRadio", false},
                        {"5", "iconStyleEllipsesRadio", true},
                        {"9", "iconStyleNoneRadio", false},
                        {"-1", "iconStyleNoneRadio", false}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FormHarness h;
    h.GivenOptions(std::string("IconStyle=") + cases[i].style + "\r\n");
    RecordingForm& f = h.Started();
    const int ticked = f.iconPage.iconStyleGroup.CheckedIndex();
    ASSERT_GE(ticked, 0) << "case " << i;
    EXPECT_EQ(f.iconPage.iconStyleGroup.Buttons()[static_cast<std::size_t>(ticked)]->Name(),
              cases[i].ticked)
        << "case " << i;
    EXPECT_EQ(f.iconPage.circleRadius.Enabled(), cases[i].circleEnabled) << "case " << i;
    EXPECT_EQ(f.iconPage.ellipseRatio.Enabled(), cases[i].circleEnabled) << "case " << i;
    EXPECT_EQ(f.iconPage.ringCount.Enabled(), cases[i].circleEnabled) << "case " << i;
    EXPECT_EQ(f.iconPage.iconStyle, std::stoi(cases[i].style)) << "case " << i;
  }
}

TEST(StartupSequenceTest, BuildsTheShortcutEntriesFromTheLastRowUp) {
  FormHarness h;
  h.GivenOptions("SortMenu=1\r\n");
  RecordingForm& f = h.NewForm();
  f.rows = {{"a", "C:\\a", 1}, {"b", "C:\\b", 2}, {"c", "http://c", 3}};
  f.StartUp();
  const std::size_t at = h.IndexOf("step 25");
  ASSERT_LT(at + 7, h.log.size());
  EXPECT_EQ(std::vector<std::string>(h.log.begin() + static_cast<long>(at), h.log.begin() + static_cast<long>(at) + 7),
            (std::vector<std::string>{"step 25", "CreateShortcutGroups", "step 26",
                                      "SelectShortcutRow(0)", "AddShortcutMenuItem(c,1,3)",
                                      "AddShortcutMenuItem(b,1,2)", "AddShortcutMenuItem(a,1,1)"}));
  EXPECT_TRUE(f.groupedMenu);
  EXPECT_TRUE(f.shortcutPage.shortcutsChanged) << "set by loading CS; cleared at the first showing";
}

TEST(StartupSequenceTest, ChangesTheWallpaperAtStartOnlyWithoutTheAnimatedPage) {
  struct Case {
    const char* lines;
    const char* last;
  };
  const Case cases[] = {{"RunChange=1\r\n", "PickNextWallpaper"},
                        {"RunChange=1\r\nDynamicDesk=1\r\n", "ApplyIconStyle"},
                        {"RunChange=0\r\n", "ApplyIconStyle"}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FormHarness h;
    h.GivenOptions(cases[i].lines);
    h.NewForm().StartUp();
    EXPECT_EQ(h.log.back(), cases[i].last) << "case " << i;
    EXPECT_EQ(h.log[h.log.size() - 2], "step 28") << "case " << i;
  }
}

TEST(StartupSequenceTest, AnErrorEndsTheSequenceAtItsStepAndIsShown) {
  struct Case {
    const char* name;
    std::function<void(FormHarness&)> arrange;
    const char* lastStep;
    const char* text;
  };
  const Case cases[] = {
      {"folder read-only",
       [](FormHarness& h) { h.fs.SetReadOnly("C:\\Tovr"); }, "step 20",
       "Unable to write to C:\\Tovr\\Config.ini."},
  };
  for (const Case& c : cases) {
    FormHarness h;
    c.arrange(h);
    h.NewForm().StartUp();
    std::string last;
    for (const auto& e : h.log) {
      if (e.starts_with("step ")) last = e;
    }
    EXPECT_EQ(last, c.lastStep) << c.name;
    ASSERT_FALSE(h.messages.shown.empty()) << c.name;
    EXPECT_EQ(h.messages.shown.back().text, c.text) << c.name;
    EXPECT_EQ(h.messages.shown.back().caption, "Tovrane") << c.name;
    EXPECT_EQ(h.messages.shown.back().flags, 16u) << c.name;
    EXPECT_FALSE(h.Logged("ApplyIconStyle")) << c.name;
  }
}

// A user without administrator rights (HKEY_LOCAL_MACHINE readable, not writable): the first
// start completes with autorun under the user's Run key, and later starts only read.
TEST(StartupSequenceTest, StandardUsersFirstStartCompletesAndLaterStartsOnlyRead) {
  FormHarness h;
  h.registry.DenyAsStandardUser();
  for (int start = 0; start < 2; ++start) {
    const std::size_t opened = h.registry.Opens().size();
    h.messages.shown.clear();
    h.log.clear();
    RecordingForm& f = h.NewForm();
    f.rows = {{"a", "C:\\a", 1}};
    f.StartUp();
    EXPECT_EQ(h.messages.shown.size(), start == 0 ? 1u : 0u) << "the greeting, once";
    EXPECT_TRUE(f.autoRunBox.Checked()) << start;
    EXPECT_TRUE(h.Logged("AddShortcutMenuItem(a,0,1)")) << start;
    for (std::size_t i = opened; start == 1 && i < h.registry.Opens().size(); ++i) {
      EXPECT_EQ(h.registry.Opens()[i].mode, RegOpen::ReadOnly) << h.registry.Opens()[i].path;
    }
  }
  const char* userRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  EXPECT_EQ(h.registry.Peek(RegRoot::CurrentUser, userRun, "Tovr"), RegValue::FromString(kExePath));
}

// Regression: a refused autorun ended the first start at step 4, so the greeting was never
// recorded, the settings never loaded, the tray entries never built, and every later start was
// a first start failing the same way.
TEST(StartupSequenceTest, RefusedAutorunIsShownOnceAndTheStartUpGoesOn) {
  FormHarness h;
  h.registry.FailWhen([](const RegChange& c) { return c.name == "Tovr"; });
  RecordingForm& f = h.NewForm();
  f.rows = {{"a", "C:\\a", 1}};
  f.StartUp();
  ASSERT_EQ(h.messages.shown.size(), 1u) << "no greeting: it would say autorun was set up";
  EXPECT_EQ(h.messages.shown[0].text, "Failed to set data for 'Tovr'.");
  EXPECT_EQ(h.messages.shown[0].flags, 16u);
  EXPECT_FALSE(f.autoRunBox.Checked());
  EXPECT_EQ(TSettingsFile(h.fs, kConfigPath).GetText("Option", "Greeting", ""), "Thank");
  EXPECT_TRUE(h.Logged("SetDesktopIconsHidden(0,1)"));  // the settings were loaded
  EXPECT_TRUE(h.Logged("AddShortcutMenuItem(a,0,1)"));
  EXPECT_EQ(h.log.back(), "ApplyIconStyle");
}

}  // namespace
}  // namespace tovr::app
