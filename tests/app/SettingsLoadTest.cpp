// LoadSettings, as the start-up sequence runs it: every key of [Option] missing, present, bad
// and out of range, and the effects the load has through the controls' handlers.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/FormHarness.h"

namespace tovr::app {
namespace {

std::string Num(long long n) { return std::to_string(n); }
std::string Bool(bool b) { return b ? "1" : "0"; }

struct LoadRow {
  const char* key;
  std::string (*read)(TKWForm&);
  const char* whenMissing;
  std::vector<std::pair<const char*, const char*>> stored;  // text in the file -> shown
};

// Screen height 768 (half: 384); total memory 512 MiB (defragmentSizeSlider's maximum: 513).
const std::vector<LoadRow>& Rows() {
  static const std::vector<LoadRow> rows = {
      {"DynamicDesk",
       [](TKWForm& f) { return Bool(f.wallpaperPage.transitionAnimationBox.Checked()); },
       "0",
       {{"1", "1"}, {"0", "0"}, {"x", "0"}}},
      {"DynaIndex",
       [](TKWForm& f) { return Num(f.wallpaperPage.transitionEffectCombo.ItemIndex()); },
       "-1",
       {{"5", "5"}, {"0", "0"}, {"23", "23"}, {"abc", "23"}, {"24", "-1"}, {"-2", "-1"}}},
      {"Interval", [](TKWForm& f) { return Num(f.wallpaperPage.changeInterval); }, "0", {{"30", "30"}, {"x", "0"}}},
      {"AutoChange",
       [](TKWForm& f) { return Bool(f.wallpaperPage.timedChangeBox.Checked()); },
       "0",
       {{"1", "1"}, {"x", "0"}}},
      {"RunChange",
       [](TKWForm& f) { return Bool(f.wallpaperPage.changeAtStartupBox.Checked()); },
       "0",
       {{"1", "1"}, {"x", "0"}}},
      {"RandomChange",
       [](TKWForm& f) { return Bool(f.wallpaperPage.randomOrderBox.Checked()); },
       "0",
       {{"1", "1"}, {"x", "0"}}},
      {"IconR",
       [](TKWForm& f) { return Num(f.iconPage.circleRadius.Value()); },
       "384",
       {{"250", "250"}, {"x", "300"}, {"-5", "0"}, {"500", "500"}}},
      {"Ratio",
       [](TKWForm& f) { return Num(f.iconPage.ellipseRatio.Value()); },
       "100",
       {{"150", "150"}, {"x", "100"}, {"5", "10"}, {"5000", "1000"}}},
      {"Cycles",
       [](TKWForm& f) { return Num(f.iconPage.ringCount.Value()); },
       "1",
       {{"3", "3"}, {"x", "1"}, {"0", "1"}, {"11", "10"}}},
      {"IconFC",
       [](TKWForm& f) { return Num(f.iconPage.iconTextColourSwatch.Color()); },
       "16777215",
       {{"255", "255"}, {"0x00FF00", "65280"}, {"x", "16777215"}}},
      {"IconBC",
       [](TKWForm& f) { return Num(f.iconPage.iconTextBackColourSwatch.Color()); },
       "0",
       {{"255", "255"}, {"x", "4294967295"}}},
      {"IconTrans",
       [](TKWForm& f) { return Bool(f.iconPage.transparentTextBackBox.Checked()); },
       "1",
       {{"0", "0"}, {"1", "1"}, {"x", "1"}}},
      {"IconStyle", [](TKWForm& f) { return Num(f.iconPage.iconStyle); }, "0", {{"3", "3"}, {"x", "0"}}},
      {"Transparent", [](TKWForm& f) { return Bool(f.translucentWindowBox.Checked()); }, "0", {{"1", "1"}, {"x", "0"}}},
      {"Transparence",
       [](TKWForm& f) { return Num(f.windowAlphaEdit.Value()); },
       "200",
       {{"150", "150"}, {"x", "255"}, {"5", "20"}, {"300", "255"}}},
      {"TBTransparent",
       [](TKWForm& f) { return Bool(f.transparencyPage.translucentTaskbarBox.Checked()); },
       "0",
       {{"1", "1"}, {"x", "0"}}},
      {"MUTransparent",
       [](TKWForm& f) { return Bool(f.transparencyPage.translucentStartMenuBox.Checked()); },
       "0",
       {{"1", "1"}, {"x", "0"}}},
      {"transTaskBar",
       [](TKWForm& f) { return Num(f.transparencyPage.taskbarAlphaEdit.Value()); },
       "200",
       {{"100", "100"}, {"x", "255"}, {"19", "20"}}},
      {"transMenu",
       [](TKWForm& f) { return Num(f.transparencyPage.startMenuAlphaEdit.Value()); },
       "200",
       {{"100", "100"}, {"x", "255"}, {"256", "255"}}},
      {"SortMenu",
       [](TKWForm& f) { return Bool(f.groupedMenuBox.Checked()); },
       "0",
       {{"1", "1"}, {"0", "0"}, {"x", "1"}}},
      {"AutoRefIcon",
       [](TKWForm& f) { return Bool(f.iconPage.iconRefreshBox.Checked()); },
       "1",
       {{"0", "0"}, {"x", "1"}}},
      {"RefIconDelay",
       [](TKWForm& f) { return Num(f.iconPage.iconRefreshSeconds.Value()); },
       "5",
       {{"10", "10"}, {"x", "5"}, {"-3", "0"}, {"4000", "3600"}}},
      {"HideIcons", [](TKWForm& f) { return Bool(f.iconPage.hideIconsBox.Checked()); }, "0", {{"1", "1"}, {"x", "0"}}},
      {"RestoreIconLayout",
       [](TKWForm& f) { return Bool(f.iconPage.autoRestoreLayout.Checked()); },
       "1",
       {{"0", "0"}, {"1", "1"}, {"x", "1"}}},
      {"AnimateIcon", [](TKWForm& f) { return Bool(f.animatedIconBox.Checked()); }, "0", {{"1", "1"}, {"x", "0"}}},
      {"UseProxy", [](TKWForm& f) { return Bool(f.useProxyBox.Checked()); }, "0", {{"1", "1"}, {"x", "0"}}},
      {"ProxyIP", [](TKWForm& f) { return f.proxyHostEdit.Text(); }, "", {{"10.0.0.1", "10.0.0.1"}}},
      {"ProxyPort",
       [](TKWForm& f) { return f.proxyPortEdit.Text(); },
       "",
       {{"8080", "8080"}, {"80a 代理", "80a 代理"}}},
      {"MemRange",
       [](TKWForm& f) { return Num(f.memoryPage.defragmentSizeSlider.Value()); },
       "513",
       {{"64", "64"}, {"x", "513"}, {"1", "2"}, {"9999", "513"}}},
      {"MemLimitV",
       [](TKWForm& f) { return Num(f.memoryPage.memoryLimitSlider.Value()); },
       "10",
       {{"20", "20"}, {"x", "10"}, {"1", "2"}, {"101", "100"}}},
      {"CPULimitV",
       [](TKWForm& f) { return Num(f.memoryPage.cpuLimitSlider.Value()); },
       "10",
       {{"20", "20"}, {"x", "10"}, {"1", "2"}}},
      {"MemLimit",
       [](TKWForm& f) { return Bool(f.memoryPage.memoryLimitBox.Checked()); },
       "0",
       {{"1", "1"}, {"x", "0"}}},
      {"CPULimit", [](TKWForm& f) { return Bool(f.memoryPage.cpuLimitBox.Checked()); }, "0", {{"1", "1"}, {"x", "0"}}},
      {"AutoUpdate", [](TKWForm& f) { return Bool(f.autoUpdateBox.Checked()); }, "1", {{"0", "0"}, {"x", "1"}}},
      // Never read: the box shows Windows' own policy.
      {"NoSave", [](TKWForm& f) { return Bool(f.noSaveOnExitBox.Checked()); }, "0", {{"1", "0"}}},
  };
  return rows;
}

TEST(SettingsLoadTest, EveryKeyMissingPresentBadAndOutOfRange) {
  for (std::size_t r = 0; r < Rows().size(); ++r) {
    const LoadRow& row = Rows()[r];
    {
      FormHarness h;
      h.GivenOptions("Greeting=Thank\r\n");
      RecordingForm& f = h.Started();
      EXPECT_EQ(row.read(f), row.whenMissing) << "row " << r << " " << row.key << " missing";
      EXPECT_TRUE(h.messages.shown.empty()) << "row " << r;
    }
    for (std::size_t v = 0; v < row.stored.size(); ++v) {
      FormHarness h;
      h.GivenOptions(std::string(row.key) + "=" + row.stored[v].first + "\r\n");
      RecordingForm& f = h.Started();
      EXPECT_EQ(row.read(f), row.stored[v].second)
          << "row " << r << " " << row.key << "=" << row.stored[v].first;
      EXPECT_TRUE(h.messages.shown.empty()) << "row " << r << " value " << v;
    }
  }
}

TEST(SettingsLoadTest, TimedChangeFollowsIntervalAutoChangeAndDynamicDesk) {
  struct Case {
    const char* lines;
    bool timer;
    const char* l2;
    int spInt;
  };
  const Case cases[] = {
      {"Interval=30\r\nAutoChange=1\r\n", true, "少于 30 分钟", 30},
      {"Interval=30\r\nAutoChange=1\r\nDynamicDesk=1\r\n", false, "少于 30 分钟", 30},
      {"Interval=30\r\nAutoChange=0\r\n", false, "少于 30 分钟", 30},
      {"AutoChange=1\r\n", false, "少于XX分钟", 60},  // no interval: the timer stays off
      {"Interval=0\r\nAutoChange=1\r\n", false, "少于XX分钟", 60},
      {"Interval=1000\r\nAutoChange=1\r\n", true, "少于 1000 分钟", 600},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FormHarness h;
    h.GivenOptions(cases[i].lines);
    RecordingForm& f = h.Started();
    EXPECT_EQ(f.wallpaperPage.wallpaperTimer.Enabled(), cases[i].timer) << "case " << i;
    EXPECT_EQ(f.wallpaperPage.wallpaperTimer.Interval(), 60000u) << "case " << i;
    EXPECT_EQ(f.wallpaperPage.minutesLeftLabel.Caption(), cases[i].l2) << "case " << i;
    EXPECT_EQ(f.wallpaperPage.intervalMinutes.Value(), cases[i].spInt) << "case " << i;
  }
}

TEST(SettingsLoadTest, AnimatedWallpaperTicksTimedChangeAndEnablesItsControls) {
  FormHarness h;
  h.GivenOptions("DynamicDesk=1\r\n");
  RecordingForm& f = h.Started();
  EXPECT_TRUE(f.wallpaperPage.timedChangeBox.Checked());
  EXPECT_FALSE(f.wallpaperPage.randomOrderBox.Checked());
  EXPECT_TRUE(f.wallpaperPage.transitionEffectCombo.Enabled());
  EXPECT_TRUE(f.wallpaperPage.intervalMinutes.Enabled());
  EXPECT_TRUE(f.wallpaperPage.wallpaperApplyPending);

  FormHarness plain;
  plain.GivenOptions("Greeting=Thank\r\n");
  RecordingForm& g = plain.Started();
  EXPECT_FALSE(g.wallpaperPage.transitionEffectCombo.Enabled());
  EXPECT_FALSE(g.wallpaperPage.intervalMinutes.Enabled());
}

TEST(SettingsLoadTest, SavedTranslucencyIsAppliedThroughTheHandlers) {
  FormHarness h;
  h.GivenOptions("Transparent=1\r\nTransparence=150\r\nTBTransparent=1\r\ntransTaskBar=90\r\n");
  h.NewForm().StartUp();
  // Ticking translucentWindowBox applies the box's current value, the stored value follows at once.
  const std::vector<std::string> alphas = [&] {
    std::vector<std::string> out;
    for (const auto& e : h.log) {
      if (e.starts_with("Set") && e.find("Alpha") != std::string::npos) out.push_back(e);
    }
    return out;
  }();
  EXPECT_EQ(alphas, (std::vector<std::string>{"SetMainWindowAlpha(200)", "SetMainWindowAlpha(150)",
                                              "SetTaskbarAlpha(200)", "SetTaskbarAlpha(90)"}));
  EXPECT_TRUE(h.form->windowAlphaEdit.Enabled());
  EXPECT_TRUE(h.form->transparencyPage.taskbarAlphaEdit.Enabled());
  EXPECT_FALSE(h.form->transparencyPage.startMenuAlphaEdit.Enabled());
}

TEST(SettingsLoadTest, IconRefreshTimerFollowsRefreshBoxAndSeconds) {
  struct Case {
    const char* lines;
    bool enabled;
    unsigned interval;
    bool spinEnabled;
  };
  const Case cases[] = {
      {"", true, 5000, true},
      {"RefIconDelay=2\r\n", true, 2000, true},
      {"RefIconDelay=0\r\n", false, 0, true},
      {"AutoRefIcon=0\r\n", false, 5000, false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FormHarness h;
    h.GivenOptions(cases[i].lines);
    RecordingForm& f = h.Started();
    EXPECT_EQ(f.iconPage.iconRefreshTimer.Enabled(), cases[i].enabled) << "case " << i;
    EXPECT_EQ(f.iconPage.iconRefreshTimer.Interval(), cases[i].interval) << "case " << i;
    EXPECT_EQ(f.iconPage.iconRefreshSeconds.Enabled(), cases[i].spinEnabled) << "case " << i;
  }
}

TEST(SettingsLoadTest, TransparentCaptionBackgroundNeedsThePeriodicRefresh) {
  // IconTrans=0 unticks transparentTextBackBox; with the periodic refresh off its handler also disables
  // iconRefreshSeconds, which AutoRefIcon then enables again.
  FormHarness h;
  h.GivenOptions("IconTrans=0\r\n");
  RecordingForm& f = h.Started();
  EXPECT_FALSE(f.iconPage.transparentTextBackBox.Checked());
  EXPECT_TRUE(f.iconPage.iconRefreshSeconds.Enabled());
  // Ticking transparentTextBackBox while iconRefreshBox is off leaves it off.
  f.iconPage.iconRefreshBox.SetChecked(false);
  f.iconPage.transparentTextBackBox.UserClick();
  EXPECT_FALSE(f.iconPage.transparentTextBackBox.Checked());
  EXPECT_FALSE(f.iconPage.iconRefreshSeconds.Enabled());
}

TEST(SettingsLoadTest, HideIconsIsAppliedAndMirroredInTheTrayMenu) {
  for (bool hidden : {false, true}) {
    FormHarness h;
    h.GivenOptions(hidden ? "HideIcons=1\r\n" : "");
    h.NewForm().StartUp();
    const std::string call = "SetDesktopIconsHidden(" + std::to_string(hidden) + ",1)";
    EXPECT_TRUE(h.Logged(call)) << hidden;
    EXPECT_EQ(h.form->FindMenuItem("hideIconsItem")->Checked(), hidden);
  }
}

TEST(SettingsLoadTest, ProxyFieldsFollowUseProxyAndUpdateTimerFollowsAutoUpdate) {
  FormHarness h;
  h.GivenOptions("UseProxy=1\r\nProxyIP=proxy\r\nAutoUpdate=0\r\n");
  RecordingForm& f = h.Started();
  EXPECT_TRUE(f.proxyHostEdit.Enabled());
  EXPECT_TRUE(f.proxyPortEdit.Enabled());
  EXPECT_FALSE(f.updateCheck.updateTimer.Enabled());

  FormHarness d;
  d.GivenOptions("");
  RecordingForm& g = d.Started();
  EXPECT_FALSE(g.proxyHostEdit.Enabled());
  EXPECT_TRUE(g.updateCheck.updateTimer.Enabled());
  EXPECT_TRUE(g.memoryPage.memoryMonitorTimer.Enabled());
}

TEST(SettingsLoadTest, SlidersRewriteTheirCaptions) {
  FormHarness h;
  h.env.totalPhysicalMemory = 256ull << 20;
  h.GivenOptions("MemRange=64\r\nMemLimitV=20\r\nCPULimitV=30\r\n");
  RecordingForm& f = h.Started();
  EXPECT_EQ(f.memoryPage.defragmentSizeSlider.Max(), 257);
  EXPECT_EQ(f.memoryPage.defragmentSizeLabel.Caption(), "整理0-64MB的内存区域");
  EXPECT_EQ(f.memoryPage.memoryLimitBox.Caption(), "当可用物理内存小于 20% 时自动进行内存整理");
  EXPECT_EQ(f.memoryPage.cpuLimitBox.Caption(), "当CPU占用率超过 30% 时不自动进行内存整理");
}

TEST(SettingsLoadTest, ColourLabelsShowRgbText) {
  FormHarness h;
  h.systemColours.colours[5] = 0x00FF8040;  // a system colour index 5
  h.GivenOptions("IconFC=16744512\r\nIconBC=-2147483643\r\n");  // 0xFF8040, then 0x80000005
  RecordingForm& f = h.Started();
  EXPECT_EQ(f.iconPage.iconTextRgbLabel.Caption(), "RGB:  64,128,255");
  EXPECT_EQ(f.iconPage.iconTextBackRgbLabel.Caption(), "RGB:  64,128,255");

  FormHarness d;
  d.GivenOptions("IconBC=bad\r\n");  // -1: an unknown system colour resolves to black
  RecordingForm& g = d.Started();
  EXPECT_EQ(g.iconPage.iconTextRgbLabel.Caption(), "RGB: 255,255,255");
  EXPECT_EQ(g.iconPage.iconTextBackRgbLabel.Caption(), "RGB:   0,  0,  0");
}

TEST(SettingsLoadTest, ReadsAndWritesTheFileOncePerLoad) {
  FormHarness h;
  h.GivenOptions("Interval=30\r\nAutoChange=1\r\nIconR=200\r\n");
  RecordingForm& f = h.NewForm();
  h.fs.ResetCounts();
  f.LoadSettings();
  EXPECT_EQ(h.fs.Reads(), 1);
  EXPECT_EQ(h.fs.Writes(), 0);  // an existing file is not written by the load
}

}  // namespace
}  // namespace tovr::app
