// The error guard: the error box, and no handler re-entered while its own box is open.
#include "app/HandlerGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "app/FormHarness.h"
#include "base/Error.h"
#include "fakes/FakeAppPorts.h"

namespace tovr::app {
namespace {

TEST(HandlerGuardTest, ErrorTextEndsWithAFullStop) {
  const std::pair<const char*, const char*> cases[] = {
      {"Unable to write to C:\\a.ini", "Unable to write to C:\\a.ini."},
      {"Done.", "Done."},
      {"不能连接到服务器。", "不能连接到服务器。"},
      {"端口", "端口."},
      {"", "."},
  };
  for (const auto& [in, want] : cases) EXPECT_EQ(HandlerGuard::ErrorText(in), want) << in;
}

TEST(HandlerGuardTest, ShowsAnErrorAndGoesOn) {
  FakeMessageBox box;
  HandlerGuard guard(box, "Tovrane");
  EXPECT_FALSE(guard.Run("a", [] { throw Error("Failed to set data for 'Tovr'"); }));
  EXPECT_FALSE(guard.Run("b", [] { throw std::runtime_error("bad"); }));
  EXPECT_FALSE(guard.Run("c", [] { throw 42; }));
  EXPECT_TRUE(guard.Run("a", [] {}));
  ASSERT_EQ(box.shown.size(), 3u);
  EXPECT_EQ(box.shown[0].text, "Failed to set data for 'Tovr'.");
  EXPECT_EQ(box.shown[0].caption, "Tovrane");
  EXPECT_EQ(box.shown[0].flags, 16u);
  EXPECT_EQ(box.shown[1].text, "bad.");
  EXPECT_FALSE(guard.IsRunning("a"));
}

TEST(HandlerGuardTest, AHandlerShowingItsBoxIsNotReentered) {
  FakeMessageBox box;
  HandlerGuard guard(box, "Tovrane");
  int runs = 0;
  auto failingTick = [&] {
    ++runs;
    throw Error("Unable to locate the \"Processor\" performance object");
  };
  int nested = 0;
  box.onShow = [&](const FakeMessageBox::Shown&) -> std::optional<int> {
    // While the box is open the timer fires three more times, and another event arrives.
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(guard.Run("memoryMonitorTimer", failingTick));
    if (nested++ == 0) {
      EXPECT_TRUE(guard.Run("saveButton", [] {}));
    }
    return std::nullopt;
  };
  guard.Run("memoryMonitorTimer", failingTick);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(box.shown.size(), 1u);
  // Once the box is closed, the next tick runs (and fails) again.
  guard.Run("memoryMonitorTimer", failingTick);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(box.shown.size(), 2u);
}

TEST(HandlerGuardTest, OtherHandlersFailingInsideABoxShowTheirOwnBox) {
  FakeMessageBox box;
  HandlerGuard guard(box, "Tovrane");
  box.onShow = [&](const FakeMessageBox::Shown& s) -> std::optional<int> {
    if (s.text == "first.") guard.Run("wallpaperTimer", [] { throw Error("second"); });
    return std::nullopt;
  };
  guard.Run("memoryMonitorTimer", [] { throw Error("first"); });
  ASSERT_EQ(box.shown.size(), 2u);
  EXPECT_EQ(box.shown[1].text, "second.");
  EXPECT_FALSE(guard.IsRunning("memoryMonitorTimer"));
  EXPECT_FALSE(guard.IsRunning("wallpaperTimer"));
}

TEST(HandlerGuardTest, FormTimerFailingEveryTickStacksNoBoxes) {
  FormHarness h;
  h.GivenOptions("");
  RecordingForm& f = h.Started();
  f.onMemoryMonitorTimer = [] { throw Error("CPU index out of bounds"); };
  // The view delivers each tick through Dispatch; ticks keep coming while the box is open.
  auto tick = [&] { return f.Dispatch("memoryMonitorTimer", [&] { f.memoryPage.memoryMonitorTimer.Tick(); }); };
  h.messages.onShow = [&](const FakeMessageBox::Shown&) -> std::optional<int> {
    tick();
    tick();
    return std::nullopt;
  };
  tick();
  EXPECT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "CPU index out of bounds.");
  EXPECT_EQ(std::count(h.log.begin(), h.log.end(), "OnMemoryMonitorTimer"), 1);
}

}  // namespace
}  // namespace tovr::app
