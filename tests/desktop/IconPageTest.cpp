#include "desktop/IconPage.h"

#include <gtest/gtest.h>

#include "app/FormHarness.h"
#include "fakes/FakeActiveDesktop.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeRegistry.h"

namespace tovr::desktop {
namespace {

struct PageHarness {
  PageHarness() { activeDesktop.Ensure(); }
  std::optional<std::uint32_t> Value(const char* key, const char* name) const {
    auto v = registry.Peek(RegRoot::CurrentUser, key, name);
    if (!v || v->type != RegType::Dword) return std::nullopt;
    return v->data[0] | (v->data[1] << 8);
  }

  FakeDesktopListView listView;
  FakeColourDialog dialog;
  FakeRegistry registry;
  FakeActiveDesktop activeDesktop;
  controls::MenuItem m202{"m202", "隐藏桌面所有图标"};
  bool activeDesktopOn = false;
  IconPage page{{listView, dialog, registry, activeDesktop, [](int) { return 0x00112233u; }}, m202, activeDesktopOn};
};

TEST(IconPageTest, CaptionColoursGoOutAsStoredWithNoBackgroundWhenTransparent) {
  PageHarness h;
  h.listView.items = 3;
  h.page.PnlFC.SetColor(0x0000FF);
  h.page.PnlBC.SetColor(0x123456);
  h.page.TimerIconTimer();  // C4 is ticked at creation
  h.page.C4.SetChecked(false);
  h.page.TimerIconTimer();
  EXPECT_EQ(h.listView.calls, (std::vector<std::string>{"SetTextColours(255,4294967295)", "RedrawItems(0,3)",
                                                        "SetTextColours(255,1193046)", "RedrawItems(0,3)"}));
}

TEST(IconPageTest, ApplyIconStyleMovesTheItemsOfTheStyleThenSetsTheColours) {
  struct Case {
    int style, items;
    bool moves;
  };
  const Case cases[] = {{0, 5, false}, {1, 5, true}, {5, 5, true}, {5, 0, false}, {7, 5, false}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    PageHarness h;
    h.listView.items = cases[i].items;
    h.page.iconStyle = cases[i].style;
    h.page.SpinEdit1.SetValue(300);
    h.page.ApplyIconStyle();
    ASSERT_FALSE(h.listView.calls.empty());
    EXPECT_EQ(h.listView.calls.front() == "MoveItems(5)", cases[i].moves) << "case " << i;
    EXPECT_EQ(h.listView.calls[cases[i].moves ? 1 : 0].rfind("SetTextColours", 0), 0u) << "case " << i;
  }
  // The circle's parameters come from the spin edits: two rings of 300 and 220 at ratio 150.
  PageHarness h;
  h.listView.items = 8;
  h.page.iconStyle = 5;
  h.page.SpinEdit1.SetValue(300);
  h.page.SpinEdit2.SetValue(150);
  h.page.SpinEdit7.SetValue(2);
  h.page.ApplyIconStyle();
  EXPECT_EQ(h.listView.positions[1], std::make_pair(945, 341));
  EXPECT_EQ(h.listView.positions[4], std::make_pair(496, 341 - 220));
}

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

TEST(IconPageTest, TheTrayToggleTwiceLeavesTheIconsAsTheyWereAndTheBoxInStep) {
  for (bool activeDesktopOn : {false, true}) {
    PageHarness h;
    h.activeDesktopOn = activeDesktopOn;
    h.page.m202Click();
    EXPECT_TRUE(h.m202.Checked());
    EXPECT_TRUE(h.page.CKHideIcon.Checked());
    EXPECT_EQ(h.Value(kAdvancedKey, "HideIcons"), 1u);
    h.page.m202Click();
    EXPECT_FALSE(h.m202.Checked());
    EXPECT_FALSE(h.page.CKHideIcon.Checked());
    EXPECT_EQ(h.Value(kAdvancedKey, "HideIcons"), 0u);
    EXPECT_TRUE(h.listView.visible);
    EXPECT_EQ(h.activeDesktop.calls.size(), activeDesktopOn ? 2u : 0u) << activeDesktopOn;
  }
}

TEST(IconPageTest, ColourPanelsOpenTheDialogAtTheirColourAndTakeOnlyAConfirmedOne) {
  PageHarness h;
  h.page.PnlBC.SetColor(0x80000005);  // a system colour: the dialog gets it as stored
  h.dialog.answer = std::nullopt;
  h.page.PnlBCClick();
  EXPECT_EQ(h.page.PnlBC.Color(), 0x80000005u);
  EXPECT_EQ(h.page.LBLBC.Caption(), "RGB   ");
  h.dialog.answer = 0xFF8040;
  h.page.PnlFCClick();
  EXPECT_EQ(h.dialog.presets, (std::vector<std::uint32_t>{0x80000005u, 16777215u}));
  EXPECT_EQ(h.page.PnlFC.Color(), 0xFF8040u);
  EXPECT_EQ(h.page.LBLFC.Caption(), "RGB:  64,128,255");
  EXPECT_TRUE(h.listView.calls.empty());  // nothing reaches the desktop before a save or tick
}

TEST(IconPageTest, ZeroPeriodStopsTheTimerYetThePeriodicBoxIsSavedTicked) {
  app::FormHarness h;
  app::RecordingForm& f = h.Started();
  f.iconPage.CheckBox2.SetChecked(true);
  f.iconPage.SpinEdit4.SetValue(0);
  f.bOKClick();
  EXPECT_FALSE(f.iconPage.TimerIcon.Enabled());
  TSettingsFile file(h.fs, app::kConfigPath);
  EXPECT_EQ(file.GetText("Option", "AutoRefIcon", ""), "1");
  EXPECT_EQ(file.GetText("Option", "RefIconDelay", ""), "0");
}

}  // namespace
}  // namespace tovr::desktop
