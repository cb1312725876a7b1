// Combo box, edit, colour panel, button, timer and the common properties: notify the view on
// a real change only, and run handlers as each control defines.
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/Timer.h"

namespace tovr::controls {
namespace {

ComboBox Effects() {
  std::vector<std::string> items;
  for (int i = 0; i < 24; ++i) items.push_back("effect " + std::to_string(i));
  return ComboBox{"transitionEffectCombo", items, "[ 无 ]"};
}

TEST(ComboBoxTest, IndexOutsideTheItemsSelectsNone) {
  struct Case {
    int start, set, index;
  };
  const Case cases[] = {{-1, 0, 0}, {-1, 23, 23}, {5, 24, -1}, {5, -1, -1}, {5, -2, -1}, {5, 1000, -1}, {-1, 24, -1}};
  int n = 0;
  for (const Case& c : cases) {
    ++n;
    ComboBox cbb = Effects();
    cbb.SetItemIndex(c.start);
    int notified = 0;
    cbb.Changed = [&] { ++notified; };
    cbb.SetItemIndex(c.set);
    EXPECT_EQ(cbb.ItemIndex(), c.index) << "case " << n;
    EXPECT_EQ(notified, c.start == c.index ? 0 : 1) << "case " << n;
  }
}

TEST(ComboBoxTest, OnlyTheUsersSelectionRunsOnChange) {
  ComboBox cbb = Effects();
  int changes = 0;
  cbb.OnChange = [&] { ++changes; };
  cbb.SetItemIndex(23);  // loading "DynaIndex"
  EXPECT_EQ(changes, 0);
  cbb.UserSelect(23);
  EXPECT_EQ(changes, 0);
  cbb.UserSelect(4);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(cbb.Caption(), "[ 无 ]");
}

TEST(EditTest, NewTextRunsOnChangeOnce) {
  Edit edit{"proxyHostEdit"};
  std::vector<std::string> seen;
  edit.OnChange = [&] { seen.push_back(edit.Text()); };
  edit.SetText("proxy");
  edit.SetText("proxy");
  edit.UserSetText("代理");
  edit.SetEnabled(false);
  edit.UserSetText("ignored");
  EXPECT_EQ(seen, (std::vector<std::string>{"proxy", "代理"}));
}

TEST(ControlTest, ViewIsNotifiedOnlyOfRealChanges) {
  ColorPanel panel{"iconTextColourSwatch", 16777215};
  int notified = 0;
  panel.Changed = [&] { ++notified; };
  panel.SetColor(16777215);
  panel.SetCaption("");
  panel.SetEnabled(true);
  panel.SetVisible(true);
  panel.SetHint("");
  EXPECT_EQ(notified, 0);
  panel.SetColor(0);
  panel.SetCaption("x");
  panel.SetEnabled(false);
  panel.SetVisible(false);
  panel.SetHint("tip");
  EXPECT_EQ(notified, 5);
}

TEST(ControlTest, DisabledButtonsAndPanelsIgnoreClicks) {
  Button button{"saveButton"};
  ColorPanel panel{"iconTextBackColourSwatch", 0};
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  panel.OnClick = [&] { ++clicks; };
  button.UserClick();
  panel.UserClick();
  button.SetEnabled(false);
  panel.SetEnabled(false);
  button.UserClick();
  panel.UserClick();
  EXPECT_EQ(clicks, 2);
}

TEST(TimerTest, ViewHearsOfIntervalAndEnabledChangesOnly) {
  Timer timer{"iconRefreshTimer", 60000, false};
  int notified = 0;
  timer.Changed = [&] { ++notified; };
  timer.SetEnabled(false);
  timer.SetInterval(60000);
  EXPECT_EQ(notified, 0);
  timer.SetInterval(5000);
  timer.SetEnabled(true);
  timer.SetEnabled(true);  // enabling a running timer does not restart it
  EXPECT_EQ(notified, 2);
}

TEST(TimerTest, TicksRunTheHandlerOnlyWhileRunning) {
  struct Case {
    unsigned interval;
    bool enabled;
    int ticks;
  };
  const Case cases[] = {{1000, true, 1}, {1000, false, 0}, {0, true, 0}};
  int n = 0;
  for (const Case& c : cases) {
    ++n;
    Timer timer{"wallpaperTimer", c.interval, c.enabled};
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.Tick();
    EXPECT_EQ(ticks, c.ticks) << "case " << n;
    EXPECT_EQ(timer.Running(), c.ticks == 1) << "case " << n;
  }
}

TEST(TimerTest, TickDuringItsOwnHandlerIsDropped) {
  // A handler that shows a modal box: the box's message loop delivers the next WM_TIMER.
  Timer timer{"wallpaperTimer", 60000, true};
  int ticks = 0;
  timer.OnTimer = [&] {
    ++ticks;
    timer.Tick();
    throw std::runtime_error("box shown");
  };
  EXPECT_THROW(timer.Tick(), std::runtime_error);
  EXPECT_THROW(timer.Tick(), std::runtime_error);  // and it runs again afterwards
  EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace tovr::controls
