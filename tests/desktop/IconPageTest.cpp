#include "desktop/IconPage.h"

#include <gtest/gtest.h>

#include "app/FormHarness.h"
#include "desktop/IconPageHarness.h"

namespace tovr::desktop {
namespace {

TEST(IconPageTest, HidingWritesBothValuesThenHidesTheWindowOrRefreshesActiveDesktop) {
  struct Case {
    bool activeDesktopOn, hidden, refreshNow;
    std::vector<std::string> listViewCalls, activeDesktopCalls;
  };
  const Case cases[] = {
      {false, true, true, {"Hide"}, {}},
      {false, false, false, {"Show"}, {}},
      {true, true, true, {}, {"ApplyChanges(15)"}},
      {true, true, false, {}, {}},  // as part of a wallpaper change
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    PageHarness h;
    h.activeDesktopOn = cases[i].activeDesktopOn;
    h.page.SetDesktopIconsHidden(cases[i].hidden, cases[i].refreshNow);
    EXPECT_EQ(h.Value(kAdvancedKey, "HideIcons"), cases[i].hidden ? 1u : 0u) << "case " << i;
    EXPECT_EQ(h.Value(kComponentsKey, "GeneralFlags"), cases[i].hidden ? 0u : 1u) << "case " << i;
    EXPECT_EQ(h.listView.calls, cases[i].listViewCalls) << "case " << i;
    EXPECT_EQ(h.activeDesktop.calls, cases[i].activeDesktopCalls) << "case " << i;
  }
  // From the tray with Active Desktop on: refreshed at once each time, the box in step.
  PageHarness h;
  h.activeDesktopOn = true;
  h.page.OnHideIconsItemClicked();
  EXPECT_TRUE(h.hideIconsItem.Checked() && h.page.hideIconsBox.Checked());
  h.page.OnHideIconsItemClicked();
  EXPECT_FALSE(h.hideIconsItem.Checked() || h.page.hideIconsBox.Checked());
  EXPECT_EQ(h.activeDesktop.calls, (std::vector<std::string>{"ApplyChanges(15)", "ApplyChanges(15)"}));
}

TEST(IconPageTest, VisibilityIsTheWindowsOrWithoutOneOrWithActiveDesktopTheRegistrys) {
  struct Case {
    bool activeDesktopOn, listViewExists, windowVisible;
    std::optional<RegValue> hideIcons;
    bool visible;
  };
  const Case cases[] = {
      {false, true, false, RegValue::FromDword(0), false},
      {false, true, true, RegValue::FromDword(1), true},
      {false, false, false, std::nullopt, true},  // no desktop: not taken as hidden
      {false, false, false, RegValue::FromDword(1), false},
      {true, true, true, RegValue::FromDword(1), false},
      {true, true, false, RegValue::FromDword(2), true},
      {true, true, false, RegValue::FromString("1"), true},  // not a number: no error either
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    PageHarness h;
    h.activeDesktopOn = cases[i].activeDesktopOn;
    h.listView.exists = cases[i].listViewExists;
    h.listView.visible = cases[i].windowVisible;
    if (cases[i].hideIcons) h.registry.Put(RegRoot::CurrentUser, kAdvancedKey, "HideIcons", *cases[i].hideIcons);
    EXPECT_EQ(h.page.DesktopIconsVisible(), cases[i].visible) << "case " << i;
  }
}

TEST(IconPageTest, ColourPanelsOpenTheDialogAtTheirColourAndTakeOnlyAConfirmedOne) {
  PageHarness h;
  h.page.iconTextBackColourSwatch.SetColor(0x80000005);
  h.page.OnIconTextBackColourClicked();  // cancelled
  EXPECT_EQ(h.page.iconTextBackColourSwatch.Color(), 0x80000005u);
  EXPECT_EQ(h.page.iconTextBackRgbLabel.Caption(), "RGB   ");
  h.dialog.answer = 0xFF8040;
  h.page.OnIconTextColourClicked();
  EXPECT_EQ(h.dialog.presets, (std::vector<std::uint32_t>{0x80000005u, 16777215u}));
  EXPECT_EQ(h.page.iconTextRgbLabel.Caption(), "RGB:  64,128,255");
  EXPECT_TRUE(h.listView.calls.empty());  // nothing reaches the desktop before a save or tick
}

// The periodic refresh reads the shell's colours first: nothing is set or redrawn while they
// are right, one set and one redraw after the shell changed them, and a shell that does not
// answer in time skips the tick.
TEST(IconPageTest, ColourTimerTouchesTheDesktopOnlyWhenItsColoursChanged) {
  PageHarness h;
  h.listView.items = 3;
  h.page.iconTextColourSwatch.SetColor(0x0000FF);
  h.page.iconTextBackColourSwatch.SetColor(0x00FF00);
  h.page.transparentTextBackBox.SetChecked(false);
  const std::vector<std::string> applied = {"SetTextColours(255,65280)", "RedrawItems(0,3)"};
  h.page.OnIconRefreshTimer();
  EXPECT_EQ(h.listView.calls, applied) << "the first tick finds the shell's own colours";
  for (int tick = 0; tick < 6; ++tick) h.page.OnIconRefreshTimer();
  EXPECT_EQ(h.listView.calls, applied) << "ticks with the colours right";
  h.listView.textColour = 0xFFFFFF;  // the shell redrew the desktop with its own colours
  h.listView.calls.clear();
  h.page.OnIconRefreshTimer();
  h.page.OnIconRefreshTimer();
  EXPECT_EQ(h.listView.calls, applied);
  h.listView.textColour = 0xFFFFFF;
  h.listView.answers = false;
  h.listView.calls.clear();
  h.page.OnIconRefreshTimer();
  EXPECT_TRUE(h.listView.calls.empty()) << "a shell that does not answer skips the tick";
}

TEST(IconPageTest, ZeroPeriodStopsTheTimerYetThePeriodicBoxIsSavedTicked) {
  app::FormHarness h;
  app::RecordingForm& f = h.Started();
  f.iconPage.iconRefreshSeconds.SetValue(0);
  f.OnSaveButtonClicked();
  EXPECT_TRUE(f.iconPage.iconRefreshBox.Checked());
  EXPECT_FALSE(f.iconPage.iconRefreshTimer.Enabled());
  EXPECT_EQ(TSettingsFile(h.fs, app::kConfigPath).GetText("Option", "AutoRefIcon", ""), "1");
}

}  // namespace
}  // namespace tovr::desktop
