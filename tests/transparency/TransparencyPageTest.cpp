// The transparency page over the fake window system: the window list and its table, the
// Start menu and taskbar matching, the boxes and tray items, choosing a window and its
// refusal. (The tray submenu's rebuild and the box of applyChosenWindowAlphaButton without a line are checked end to
// end.)
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fakes/FakeAppPorts.h"
#include "fakes/FakeWindowSystem.h"
#include "transparency/TransparencyPage.h"

namespace tovr::transparency {
namespace {

using Lines = std::vector<std::string>;

struct TransparencyPageTest : ::testing::Test {
  FakeWindowSystem windows;
  FakeMessageBox messages;
  TransparencyPage page{{windows}, messages, "Tovrane"};
  int AlphaOf(WindowHandle w) { return windows.alpha.count(w) ? windows.alpha[w] : -1; }
};

TEST_F(TransparencyPageTest, WindowListFollowsTheZOrderAndDropsTheLowestWindow) {
  const struct {
    std::vector<std::pair<const char*, bool>> zOrder;  // title, visible
    Lines lines;
  } cases[] = {
      {{{"记事本", true}, {"", true}, {"Hidden", false}, {"A & B", true}, {"Program Manager", true}},
       {"记事本", "A & B"}},
      {{{"Top", true}, {"Second", true}, {"", false}}, {"Top"}},
      {{}, {}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    windows.windows.clear();
    std::vector<WindowHandle> qualifying, table;
    for (const auto& [title, visible] : cases[i].zOrder) {
      const WindowHandle h = windows.Add(title, visible);
      if (*title && visible) qualifying.push_back(h);
    }
    page.windowList.SetItemIndex(0);
    EXPECT_EQ(page.RefreshWindowList(), cases[i].lines) << "case " << i;
    EXPECT_EQ(page.windowList.Lines(), cases[i].lines) << "case " << i;
    EXPECT_EQ(page.windowList.ItemIndex(), -1) << "case " << i;
    // The dropped window keeps its entry; nothing else is in the table.
    for (int k = 0; k <= static_cast<int>(qualifying.size()); ++k) table.push_back(page.listedWindows.At(k));
    qualifying.push_back(0);
    EXPECT_EQ(table, qualifying) << "case " << i;
  }
  // A cloaked window (a suspended app, a window on another virtual desktop) is not on screen.
  windows.windows.clear();
  windows.Add("Top");
  windows.windows[windows.Add("Settings") - 1].cloaked = true;
  windows.Add("Program Manager");
  EXPECT_EQ(page.RefreshWindowList(), Lines{"Top"});
}

TEST_F(TransparencyPageTest, TheTableHoldsTheTopmost201WindowsAndTheWalkEnds) {
  // Exactly full: the lowest window is listed and dropped. Beyond: the topmost 201 stay.
  const struct {
    int qualifying;
    std::size_t lines;
  } cases[] = {{201, 200}, {202, 201}, {500, 201}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    windows.windows.clear();
    for (int n = 0; n < cases[i].qualifying; ++n) windows.Add("w" + std::to_string(n));
    const Lines lines = page.RefreshWindowList();
    ASSERT_EQ(lines.size(), cases[i].lines) << "case " << i;
    EXPECT_EQ(lines.back(), "w" + std::to_string(cases[i].lines - 1)) << "case " << i;
    EXPECT_EQ(page.listedWindows.Count(), ListedWindows::kCapacity - (cases[i].qualifying < 201)) << "case " << i;
    EXPECT_EQ(page.listedWindows.At(201), 0u) << "case " << i;
  }

  // A Z order that turns back on itself while it is walked still ends.
  struct Cycling : FakeWindowSystem {
    WindowHandle NextWindow(WindowHandle w) override { return w == windows.size() ? 1 : w + 1; }
  } cycling;
  for (int n = 0; n < 3; ++n) cycling.Add("c" + std::to_string(n));
  TransparencyPage other{{cycling}, messages, "Tovrane"};
  EXPECT_EQ(other.RefreshWindowList().size(), ListedWindows::kCapacity);
}

TEST_F(TransparencyPageTest, StartMenuAndTaskbarsAreFoundByClassName) {
  const struct {
    const char* className;
    bool startMenu, taskbar;
  } cases[] = {
      {"BaseBar", true, false},          {"basebar", true, false},
      {"BASEBARWindow", true, false},    {"BaseBa", false, false},
      {"XBaseBar", false, false},        {"", false, false},
      {"Shell_TrayWnd", false, true},    {"shell_traywnd", false, true},
      {"Shell_TrayWndX", false, false},  {"Shell_SecondaryTrayWnd", false, true},
      {"Shell_SecondaryTrayWnd", false, true},  // the last window: the walk goes to the end
  };
  for (const auto& c : cases) windows.Add("", false, c.className);
  page.SetStartMenuAlpha(90);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(AlphaOf(i + 1), cases[i].startMenu ? 90 : -1) << "Start menu, case " << i;
  }
  windows.alpha.clear();
  page.SetTaskbarAlpha(120);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(AlphaOf(i + 1), cases[i].taskbar ? 120 : -1) << "taskbar, case " << i;
  }
}

TEST_F(TransparencyPageTest, BoxesEnableTheirAlphaAndTrayItemsApplyItUnticked) {
  const WindowHandle taskbar = windows.Add("", true, "Shell_TrayWnd");
  const WindowHandle startMenu = windows.Add("", false, "BaseBar");
  struct Trio {
    controls::CheckBox& box;
    controls::SpinEdit& spin;
    WindowHandle window;
    void (TransparencyPage::*trayItem)();
  };
  const Trio trios[] = {
      {page.translucentTaskbarBox, page.taskbarAlphaEdit, taskbar, &TransparencyPage::OnTaskbarTransparencyItemClicked},
      {page.translucentStartMenuBox, page.startMenuAlphaEdit, startMenu,
       &TransparencyPage::OnStartMenuTransparencyItemClicked}};
  // The main window's wiring, as TKWForm does it.
  page.translucentTaskbarBox.OnClick = [this] { page.OnTranslucentTaskbarClicked(); };
  page.taskbarAlphaEdit.OnChange = [this] { page.OnTaskbarAlphaChanged(); };
  page.translucentStartMenuBox.OnClick = [this] { page.OnTranslucentStartMenuClicked(); };
  page.startMenuAlphaEdit.OnChange = [this] { page.OnStartMenuAlphaChanged(); };
  for (std::size_t i = 0; i < std::size(trios); ++i) {
    const Trio& t = trios[i];
    EXPECT_FALSE(t.spin.Enabled()) << "trio " << i;
    t.spin.SetValue(60);  // unticked: nothing applied
    EXPECT_EQ(AlphaOf(t.window), -1) << "trio " << i;
    (page.*t.trayItem)();  // the tray item applies it and ticks nothing
    EXPECT_EQ(AlphaOf(t.window), 60) << "trio " << i;
    EXPECT_FALSE(t.box.Checked()) << "trio " << i;
    t.box.UserClick();
    EXPECT_TRUE(t.spin.Enabled()) << "trio " << i;
    t.spin.UserSetValue(75);
    EXPECT_EQ(AlphaOf(t.window), 75) << "trio " << i;
    t.box.UserClick();  // unticked: opaque again
    EXPECT_EQ(AlphaOf(t.window), 255) << "trio " << i;
    EXPECT_FALSE(t.spin.Enabled()) << "trio " << i;
  }
}

TEST_F(TransparencyPageTest, ChoosingAWindowFromTheListAppliesTheSlider) {
  const WindowHandle editor = windows.Add("Editor");
  windows.Add("Tovrane");
  windows.Add("Desktop");
  page.RefreshWindowList();
  page.windowList.UserClick(1);  // the application's own title
  EXPECT_FALSE(page.applyChosenWindowAlphaButton.Enabled());
  page.windowList.UserClick(0);
  EXPECT_TRUE(page.applyChosenWindowAlphaButton.Enabled());
  page.chosenWindowAlphaSlider.UserSetValue(0);
  page.applyChosenWindowAlphaButton.UserClick();
  EXPECT_EQ(AlphaOf(editor), 0);
  EXPECT_EQ(page.chosenWindowAlphaValueLabel.Caption(), "0");
  EXPECT_TRUE(messages.shown.empty());
  // A window of a program with higher rights refuses: named once, then silence.
  windows.refusing.insert(editor);
  page.applyChosenWindowAlphaButton.UserClick();
  page.OnWindowEntryClicked(0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "无法改变窗口“Editor”的透明度：它属于以更高权限（例如以管理员身份）运行的程序。");
}

}  // namespace
}  // namespace tovr::transparency
