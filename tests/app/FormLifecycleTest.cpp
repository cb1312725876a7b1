// Showing, hiding, closing and quitting the main window; pages; the side buttons bCC and bR.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FormHarness.h"
#include "app/TrayMenu.h"

namespace tovr::app {
namespace {

RecordingForm& StartedWithFile(FormHarness& h) {
  h.GivenOptions("Greeting=Thank\r\n");
  return h.Started();
}

TEST(FormLifecycleTest, ShowingStartsANewRoundOfEdits) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.shortcutPage.shortcutsChanged = f.wallpaperPage.wallpaperChanged = f.startupPage.startupChanged = true;
  f.wallpaperPage.wallpaperApplyPending = f.settingsVisited = true;
  f.ShowMainWindow();
  EXPECT_FALSE(f.shortcutPage.shortcutsChanged);
  EXPECT_FALSE(f.wallpaperPage.wallpaperChanged);
  EXPECT_FALSE(f.startupPage.startupChanged);
  EXPECT_FALSE(f.wallpaperPage.wallpaperApplyPending);
  EXPECT_TRUE(f.settingsVisited);
  EXPECT_EQ(h.log, (std::vector<std::string>{"ui.AcceptFiles(1)", "LoadStartupEntries",
                                             "ui.ShowMainWindow"}));
  // Showing a window that is already shown only brings it forward.
  f.shortcutPage.shortcutsChanged = true;
  h.log.clear();
  f.ShowMainWindow();
  EXPECT_TRUE(f.shortcutPage.shortcutsChanged);
  EXPECT_EQ(h.log, (std::vector<std::string>{"ui.ShowMainWindow"}));
}

// The first fill of the startup list can fail: the window still shows with its page, and the
// next showing runs FormShow again.
TEST(FormLifecycleTest, AnErrorInFormShowDoesNotLeaveTheWindowHalfShown) {
  struct Failing : RecordingForm {
    using RecordingForm::RecordingForm;
    int loads = 0;
    void LoadStartupEntries() override {
      if (++loads == 1) throw Error("Invalid data type for 'x'");
    }
  };
  FormHarness h;
  Failing f(h.Ports(), h.log);
  f.PC.SetActivePage("TSSet");
  EXPECT_FALSE(f.Dispatch("ShowRequest", [&] { f.ShowRequest(); }));
  EXPECT_EQ(h.messages.shown.at(0).text, "Invalid data type for 'x'.");
  EXPECT_TRUE(h.ui.visible && f.MainWindowShown());
  EXPECT_TRUE(f.settingsVisited);  // the page's show handler ran
  f.HideMainWindow();
  f.ShowMainWindow();
  EXPECT_EQ(f.loads, 2);
}

TEST(FormLifecycleTest, ShowRequestsKeepThePageAndDoubleClickSelectsShortcuts) {
  struct Case {
    const char* name;
    void (TKWForm::*show)();
    const char* page;
  };
  const Case cases[] = {{"m1", &TKWForm::m1Click, "TSicon"},
                        {"2024", &TKWForm::ShowRequest, "TSicon"},
                        {"double-click", &TKWForm::TrayIcon1DblClick, "TSshortcut"}};
  for (const Case& c : cases) {
    FormHarness h;
    RecordingForm& f = StartedWithFile(h);
    f.PC.SetActivePage("TSicon");
    (f.*c.show)();
    EXPECT_TRUE(h.ui.visible) << c.name;
    EXPECT_TRUE(f.MainWindowShown()) << c.name;
    EXPECT_EQ(f.PC.ActiveName(), c.page) << c.name;
  }
}

TEST(FormLifecycleTest, TrayMenuItemsReachTheirHandlers) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.FindMenuItem("m1")->Click();
  EXPECT_TRUE(h.ui.visible);
  h.messages.answer = kIdNo;
  f.FindMenuItem("menuclose")->Click();
  EXPECT_EQ(h.messages.shown.size(), 1u);
}

TEST(FormLifecycleTest, CloseRequestHidesUnlessQuitting) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.ShowMainWindow();
  h.log.clear();
  EXPECT_FALSE(f.FormCloseQuery());
  EXPECT_EQ(h.log, (std::vector<std::string>{"ui.HideMainWindow", "ui.AcceptFiles(0)"}));
  EXPECT_FALSE(f.MainWindowShown());
  f.quitting = true;
  EXPECT_TRUE(f.FormCloseQuery());
}

TEST(FormLifecycleTest, MinimiseHidesToTheTray) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.ShowMainWindow();
  f.ApplicationMinimize();
  EXPECT_FALSE(h.ui.visible);
  EXPECT_EQ(h.ui.acceptsFiles, false);
  EXPECT_FALSE(h.ui.quitRequested);
}

TEST(FormLifecycleTest, QuitAsksFirst) {
  struct Case {
    int answer;
    bool quits;
  };
  const Case cases[] = {{kIdNo, false}, {kIdYes, true}};
  for (const Case& c : cases) {
    FormHarness h;
    RecordingForm& f = StartedWithFile(h);
    h.messages.answer = c.answer;
    f.menucloseClick();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "确实要退出 Tovrane 吗？");
    EXPECT_EQ(h.messages.shown[0].caption, "关闭");
    EXPECT_EQ(h.messages.shown[0].flags, 4388u);
    EXPECT_EQ(f.quitting, c.quits) << c.answer;
    EXPECT_EQ(h.ui.quitRequested, c.quits) << c.answer;
  }
}

TEST(FormLifecycleTest, QuitItemWhileItsQuestionIsOpenAsksOnce) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  h.messages.onShow = [&](const FakeMessageBox::Shown&) -> std::optional<int> {
    // The modal loop delivers a second click on "关闭".
    EXPECT_FALSE(f.Dispatch("menuclose", [&] { f.FindMenuItem("menuclose")->Click(); }));
    return kIdYes;
  };
  f.Dispatch("menuclose", [&] { f.FindMenuItem("menuclose")->Click(); });
  EXPECT_EQ(h.messages.shown.size(), 1u);
  EXPECT_TRUE(h.ui.quitRequested);
}

TEST(FormLifecycleTest, EndOfSessionQuitsWithoutQuestionOrWrite) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.ShowMainWindow();
  f.CT.UserClick();
  f.shortcutPage.shortcutsChanged = true;
  h.fs.ResetCounts();
  EXPECT_EQ(f.QueryEndSession(), 1);
  EXPECT_TRUE(f.quitting);
  EXPECT_TRUE(h.ui.quitRequested);
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_EQ(h.fs.Writes(), 0);
  EXPECT_TRUE(f.FormCloseQuery());
}

TEST(FormLifecycleTest, Panel2IsEnabledOnTheListPagesOnly) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.ShowMainWindow();
  const bool want[kPageCount] = {true, true, false, true, false, false, false};
  for (int page : {6, 0, 4, 1, 2, 3, 5}) {
    f.PC.UserSelect(page);
    EXPECT_EQ(f.Panel2.Enabled(), want[page]) << "page " << page;
  }
  f.PC.UserSelect(kPageSet);
  f.PC.SetActivePage("TSWP");  // the program's selection does not run PCChange
  EXPECT_FALSE(f.Panel2.Enabled());
}

TEST(FormLifecycleTest, RefreshReloadsTheActivePagesList) {
  struct Case {
    const char* page;
    std::vector<std::string> calls;
  };
  const Case cases[] = {{"TSshortcut", {"LoadShortcuts"}},
                        {"TSWP", {"LoadWallpaperList"}},
                        {"TSRun", {"ClearStartupList", "LoadStartupEntries"}},
                        {"TSicon", {}},
                        {"TSSet", {}}};
  for (const Case& c : cases) {
    FormHarness h;
    RecordingForm& f = StartedWithFile(h);
    f.PC.SetActivePage(c.page);
    h.log.clear();
    f.bR.UserClick();
    EXPECT_EQ(h.log, c.calls) << c.page;
  }
}

TEST(FormLifecycleTest, CloseWithoutSavingReloadsTheChangedLists) {
  struct Case {
    bool shortcuts, wallpaper, startup;
    std::vector<std::string> calls;
    const char* page;
  };
  const Case cases[] = {
      {false, false, false, {}, "TSicon"},
      {true, false, false, {"LoadShortcuts"}, "TSshortcut"},
      {true, true, true,
       {"LoadShortcuts", "LoadWallpaperList", "ClearStartupList", "LoadStartupEntries"},
       "TSRun"},
      {false, true, false, {"LoadWallpaperList"}, "TSWP"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FormHarness h;
    RecordingForm& f = StartedWithFile(h);
    f.PC.SetActivePage("TSicon");
    f.ShowMainWindow();
    f.shortcutPage.shortcutsChanged = cases[i].shortcuts;
    f.wallpaperPage.wallpaperChanged = cases[i].wallpaper;
    f.startupPage.startupChanged = cases[i].startup;
    h.log.clear();
    f.bCC.UserClick();
    std::vector<std::string> want = {"ui.HideMainWindow", "ui.AcceptFiles(0)"};
    want.insert(want.end(), cases[i].calls.begin(), cases[i].calls.end());
    EXPECT_EQ(h.log, want) << "case " << i;
    EXPECT_EQ(f.PC.ActiveName(), cases[i].page) << "case " << i;
  }
}

TEST(FormLifecycleTest, MenuOpeningListsTheWindowsOnce) {
  struct Windows : RecordingForm {
    using RecordingForm::RecordingForm;
    std::vector<std::string> RefreshWindowList() override { return {"Notepad", "Calc"}; }
  };
  FormHarness h;
  h.GivenOptions("");
  std::vector<std::string> log;
  Windows f(h.Ports(), log);
  f.PopupMenu1Popup();
  f.PopupMenu1Popup();
  const auto& items = f.FindMenuItem("MTF")->Items();
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[3]->Caption(), "Notepad");
  EXPECT_EQ(items[4]->Hint(), "1");
  EXPECT_EQ(items[4]->Tag(), kWindowEntryTag);
}

TEST(FormLifecycleTest, LookupsFindEveryPlacedControlByName) {
  FormHarness h;
  RecordingForm& f = h.NewForm();
  int count = 0;
  for (int page = kSidePanel; page < kPageCount; ++page) {
    for (controls::Control* c : f.ControlsOfPage(page)) {
      EXPECT_EQ(f.FindControl(c->Name()), c) << c->Name();
      ++count;
    }
  }
  EXPECT_GT(count, 60);
  EXPECT_EQ(f.FindControl("PC"), &f.PC);
  EXPECT_EQ(f.FindControl("nothing"), nullptr);
  EXPECT_EQ(f.FindTimer("tmrupdate"), &f.updateCheck.tmrupdate);
  EXPECT_EQ(f.FindMenuItem("menuclose")->Caption(), "关闭");
  EXPECT_FALSE(f.CKAMICON.Visible());
  EXPECT_EQ(f.iconPage.CheckBox2.Caption(), "定时自动图标背景色    时间间隔(秒)");
  EXPECT_EQ(f.sbweb.Hint().rfind("访问主页 ", 0), 0u);
}

}  // namespace
}  // namespace tovr::app
