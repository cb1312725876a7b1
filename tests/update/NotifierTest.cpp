// The notifier's motion on a 1024 x 768 screen and its button.
#include <gtest/gtest.h>

#include <vector>

#include "fakes/FakeUpdate.h"
#include "update/Notifier.h"

namespace tovr::update {
namespace {

// Ticks slideTimer until it stops; returns the number of ticks.
int SlideUntilStopped(Notifier& n) {
  int ticks = 0;
  while (n.slideTimer.Enabled() && ticks < 1000) {
    n.slideTimer.Tick();
    ++ticks;
  }
  return ticks;
}

TEST(NotifierTest, RisesPausesSixTicksFallsAndCloses) {
  FakeNotifierWindow window;
  Notifier n(window);
  n.Show(-2);
  EXPECT_TRUE(window.open);
  EXPECT_EQ(window.left, 822);
  EXPECT_EQ(window.tops, std::vector<int>{768});
  EXPECT_EQ(n.currentVersionLabel.Caption(), " 2.53 测试版");
  EXPECT_EQ(n.slideTarget, 615);

  EXPECT_EQ(SlideUntilStopped(n), 78);  // 77 steps up, then the tick that stops
  EXPECT_EQ(window.tops.size(), 78u);
  EXPECT_EQ(window.tops[1], 766);
  EXPECT_EQ(window.tops.back(), 614);
  EXPECT_TRUE(n.pauseTimer.Enabled());

  for (int tick = 1; tick <= 5; ++tick) {
    n.pauseTimer.Tick();
    EXPECT_EQ(window.tops.back(), 614) << "pause tick " << tick;
    EXPECT_TRUE(n.pauseTimer.Enabled()) << "pause tick " << tick;
    EXPECT_FALSE(n.slideTimer.Enabled()) << "pause tick " << tick;
  }
  n.pauseTimer.Tick();
  EXPECT_FALSE(n.pauseTimer.Enabled());
  EXPECT_TRUE(n.slideTimer.Enabled());
  EXPECT_EQ(window.tops.back(), 615);
  EXPECT_EQ(n.slideStep, 2);

  SlideUntilStopped(n);
  EXPECT_EQ(window.tops.back(), 769);
  EXPECT_FALSE(window.open);
  EXPECT_FALSE(n.Shown());
  EXPECT_FALSE(n.pauseTimer.Enabled());
}

TEST(NotifierTest, ButtonDownloadsOnlyFromTheNewReleaseWindowAndAlwaysCloses) {
  for (const bool silver : {false, true}) {
    FakeNotifierWindow window;
    Notifier n(window);
    int downloads = 0;
    n.onDownload = [&] { ++downloads; };
    if (silver) n.notifierPanel.SetColor(kSilver);
    n.Show(-2);
    n.slideTimer.Tick();
    n.downloadButton.UserClick();
    EXPECT_EQ(downloads, silver ? 0 : 1) << "silver " << silver;
    EXPECT_FALSE(window.open) << "silver " << silver;
    EXPECT_FALSE(n.slideTimer.Enabled() || n.pauseTimer.Enabled()) << "silver " << silver;
  }
}

}  // namespace
}  // namespace tovr::update
