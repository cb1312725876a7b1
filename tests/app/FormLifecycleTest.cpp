// Showing, hiding, closing and quitting the main window; pages; the side buttons closeButton and refreshButton.
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
// next showing runs OnFormShown again.
TEST(FormLifecycleTest, AnErrorWhileShowingDoesNotLeaveTheWindowHalfShown) {
  struct Failing : RecordingForm {
    using RecordingForm::RecordingForm;
    int loads = 0;
    void LoadStartupEntries() override {
      if (++loads == 1) throw Error("Invalid data type for 'x'");
    }
  };
  FormHarness h;
  Failing f(h.Ports(), h.log);
  f.pageControl.SetActivePage("settingsTab");
  EXPECT_FALSE(f.Dispatch("OnShowRequest", [&] { f.OnShowRequest(); }));
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
  const Case cases[] = {{"showMainWindowItem", &TKWForm::OnShowMainWindowItemClicked, "iconsTab"},
                        {"2024", &TKWForm::OnShowRequest, "iconsTab"},
                        {"double-click", &TKWForm::OnTrayDoubleClicked, "shortcutsTab"}};
  for (const Case& c : cases) {
    FormHarness h;
    RecordingForm& f = StartedWithFile(h);
    f.pageControl.SetActivePage("iconsTab");
    (f.*c.show)();
    EXPECT_TRUE(h.ui.visible) << c.name;
    EXPECT_TRUE(f.MainWindowShown()) << c.name;
    EXPECT_EQ(f.pageControl.ActiveName(), c.page) << c.name;
  }
}

TEST(FormLifecycleTest, TrayMenuItemsReachTheirHandlers) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.FindMenuItem("showMainWindowItem")->Click();
  EXPECT_TRUE(h.ui.visible);
  h.messages.answer = kIdNo;
  f.FindMenuItem("quitItem")->Click();
  EXPECT_EQ(h.messages.shown.size(), 1u);
}

TEST(FormLifecycleTest, CloseRequestHidesUnlessQuitting) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.ShowMainWindow();
  h.log.clear();
  EXPECT_FALSE(f.OnFormCloseRequested());
  EXPECT_EQ(h.log, (std::vector<std::string>{"ui.HideMainWindow", "ui.AcceptFiles(0)"}));
  EXPECT_FALSE(f.MainWindowShown());
  f.quitting = true;
  EXPECT_TRUE(f.OnFormCloseRequested());
}

TEST(FormLifecycleTest, MinimiseHidesToTheTray) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.ShowMainWindow();
  f.OnApplicationMinimized();
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
    f.OnQuitItemClicked();
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
    EXPECT_FALSE(f.Dispatch("quitItem", [&] { f.FindMenuItem("quitItem")->Click(); }));
    return kIdYes;
  };
  f.Dispatch("quitItem", [&] { f.FindMenuItem("quitItem")->Click(); });
  EXPECT_EQ(h.messages.shown.size(), 1u);
  EXPECT_TRUE(h.ui.quitRequested);
}

TEST(FormLifecycleTest, EndOfSessionQuitsWithoutQuestionOrWrite) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.ShowMainWindow();
  f.translucentWindowBox.UserClick();
  f.shortcutPage.shortcutsChanged = true;
  h.fs.ResetCounts();
  EXPECT_EQ(f.QueryEndSession(), 1);
  EXPECT_TRUE(f.quitting);
  EXPECT_TRUE(h.ui.quitRequested);
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_EQ(h.fs.Writes(), 0);
  EXPECT_TRUE(f.OnFormCloseRequested());
}

TEST(FormLifecycleTest, ListButtonsPanelIsEnabledOnTheListPagesOnly) {
  FormHarness h;
  RecordingForm& f = StartedWithFile(h);
  f.ShowMainWindow();
  const bool want[kPageCount] = {true, true, false, true, false, false, false};
  for (int page : {6, 0, 4, 1, 2, 3, 5}) {
    f.pageControl.UserSelect(page);
    EXPECT_EQ(f.listButtonsPanel.Enabled(), want[page]) << "page " << page;
  }
  f.pageControl.UserSelect(kPageSettings);
  f.pageControl.SetActivePage("wallpaperTab");  // the program's selection does not run OnPageChanged
  EXPECT_FALSE(f.listButtonsPanel.Enabled());
}

TEST(FormLifecycleTest, RefreshReloadsTheActivePagesList) {
  struct Case {
    const char* page;
    std::vector<std::string> calls;
  };
  const Case cases[] = {{"shortcutsTab", {"LoadShortcuts"}},
                        {"wallpaperTab", {"LoadWallpaperList"}},
                        {"startupTab", {"ClearStartupList", "LoadStartupEntries"}},
                        {"iconsTab", {}},
                        {"settingsTab", {}}};
  for (const Case& c : cases) {
    FormHarness h;
    RecordingForm& f = StartedWithFile(h);
    f.pageControl.SetActivePage(c.page);
    h.log.clear();
    f.refreshButton.UserClick();
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
      {false, false, false, {}, "iconsTab"},
      {true, false, false, {"LoadShortcuts"}, "shortcutsTab"},
      {true,
       true,
       true,
       {"LoadShortcuts", "LoadWallpaperList", "ClearStartupList", "LoadStartupEntries"},
       "startupTab"},
      {false, true, false, {"LoadWallpaperList"}, "wallpaperTab"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FormHarness h;
    RecordingForm& f = StartedWithFile(h);
    f.pageControl.SetActivePage("iconsTab");
    f.ShowMainWindow();
    f.shortcutPage.shortcutsChanged = cases[i].shortcuts;
    f.wallpaperPage.wallpaperChanged = cases[i].wallpaper;
    f.startupPage.startupChanged = cases[i].startup;
    h.log.clear();
    f.closeButton.UserClick();
    std::vector<std::string> want = {"ui.HideMainWindow", "ui.AcceptFiles(0)"};
    want.insert(want.end(), cases[i].calls.begin(), cases[i].calls.end());
    EXPECT_EQ(h.log, want) << "case " << i;
    EXPECT_EQ(f.pageControl.ActiveName(), cases[i].page) << "case " << i;
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
  f.OnTrayMenuOpening();
  f.OnTrayMenuOpening();
  const auto& items = f.FindMenuItem("transparencyItem")->Items();
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
  EXPECT_EQ(f.FindControl("pageControl"), &f.pageControl);
  EXPECT_EQ(f.FindControl("nothing"), nullptr);
  EXPECT_EQ(f.FindTimer("updateTimer"), &f.updateCheck.updateTimer);
  EXPECT_EQ(f.FindMenuItem("quitItem")->Caption(), "关闭");
  EXPECT_FALSE(f.animatedIconBox.Visible());
  EXPECT_EQ(f.iconPage.iconRefreshBox.Caption(), "定时自动图标背景色    时间间隔(秒)");
  EXPECT_EQ(f.homePageButton.Hint().rfind("访问主页 ", 0), 0u);
}

}  // namespace
}  // namespace tovr::app
