// The memory page on fakes: the tick's gauges and tray hint, the defragmentation command with
// its controls and hint, the automatic start from a tick, and a tick that allocates nothing
// (counted by the test binary's own operator new).
#include <gtest/gtest.h>

#include "fakes/FakeMemory.h"
#include "fakes/PerfBlockBuilder.h"
#include "memory/MemoryPage.h"
#include "memory/MonitorRules.h"
#include "support/AllocationCounter.h"
#include "support/ErrorOf.h"

namespace tovr::memory {
namespace {

constexpr std::int64_t kThreeSeconds = 30000000;

std::vector<std::uint8_t> Block(std::vector<std::int64_t> idle, int second) {
  PerfBlockSpec spec;
  spec.idle = std::move(idle);
  spec.second = second;
  return BuildPerfBlock(spec);
}

struct Rig {
  // Without `times` the system cannot give the processors' times: the performance data serves.
  explicit Rig(std::optional<ProcessorTimes> times = std::nullopt) : system(SystemWith(times)) {
    hint.reserve(64);
    system.status = {30, 4096ull << 20, 2867ull << 20, 4096ull << 20, 1024ull << 20, 2048ull << 20, 1536ull << 20};
    system.perfData = Block({0, 0}, 0);
  }
  static FakeMemoryMonitor SystemWith(std::optional<ProcessorTimes> times) {
    FakeMemoryMonitor system;
    system.times = times;
    return system;
  }
  FakeMemoryMonitor system;
  FakeBlockAllocator blocks;
  controls::MenuItem defragMemoryItem{"defragMemoryItem", "立即整理内存"};
  std::uint32_t now = 100000;
  std::string hint;
  int hintsSet = 0;
  MemoryPage page{{system, blocks},
                  defragMemoryItem,
                  [this] { return now; },
                  [this](const std::string& h) {
                    hint.assign(h);
                    ++hintsSet;
                  }};
};

TEST(MemoryPageTest, TickSetsTheGaugesAndTheHint) {
  Rig r;
  r.page.OnMemoryPageShown();  // freePhysicalMemoryGauge reads 0: the first tick runs at once
  EXPECT_EQ(r.page.freePhysicalMemoryGauge.Progress(), 70);
  EXPECT_EQ(r.hint, "Tovrane  可用内存：70 %");
  EXPECT_EQ(r.page.freePageFileGauge.Progress(), 0);  // the tab was not visible yet
  // One processor 60 % busy and the total instance 80 %: cpuUsageGauge shows their mean.
  r.system.perfData = Block({kThreeSeconds * 4 / 10, kThreeSeconds * 2 / 10}, 3);
  r.page.OnMemoryMonitorTimer();
  EXPECT_EQ(r.page.cpuUsageGauge.Progress(), 70);
  EXPECT_EQ(r.page.freePageFileGauge.Progress(), 25);
  EXPECT_EQ(r.page.freeVirtualMemoryGauge.Progress(), 75);
  EXPECT_EQ(r.hintsSet, 1);  // the same line is not set again
  r.page.OnMemoryPageHidden();
  r.system.status.availPageFile = 0;
  r.page.OnMemoryMonitorTimer();
  EXPECT_EQ(r.page.freePageFileGauge.Progress(), 25);
}

TEST(MemoryPageTest, DefragmentNowRunsWithStepsOnlyWhileTheTabIsVisible) {
  for (bool visible : {true, false}) {
    Rig r;
    r.page.defragmentSizeSlider.SetValue(2);
    r.page.memoryTabVisible = visible;
    int steps = 0;
    r.page.ProcessMessages = [&] {
      ++steps;
      EXPECT_FALSE(r.page.defragmentNowButton.Enabled() || r.defragMemoryItem.Enabled() ||
                   r.page.memoryMonitorTimer.Enabled());
      EXPECT_EQ(r.hint, kDefragmentingHint);
      r.page.OnDefragmentNowClicked();  // a second start while running: nothing
    };
    r.page.OnDefragmentNowClicked();
    EXPECT_EQ(r.blocks.commits, 2) << visible;
    EXPECT_EQ(r.page.defragmentProgressGauge.Max(), 4) << visible;
    EXPECT_EQ(r.page.defragmentProgressGauge.Progress(), visible ? 4 : 0) << visible;
    EXPECT_EQ(steps, visible ? 4 : 0) << visible;
    EXPECT_TRUE(r.page.defragmentNowButton.Enabled() && r.defragMemoryItem.Enabled() &&
                r.page.memoryMonitorTimer.Enabled())
        << visible;
    EXPECT_EQ(r.hint, kDefragmentingHint) << "until the next tick";
    r.page.OnMemoryMonitorTimer();
    EXPECT_EQ(r.hint, "Tovrane  可用内存：70 %");
  }
}

TEST(MemoryPageTest, ARunEndsWithItsControlsBackEvenWhenItsTickFails) {
  Rig r;
  r.page.defragmentSizeSlider.SetValue(2);
  r.system.perfFails = true;
  EXPECT_EQ(testing::ErrorOf([&] { r.page.OnDefragmentNowClicked(); }), kReadPerfDataText);
  EXPECT_TRUE(r.page.defragmentNowButton.Enabled() && r.defragMemoryItem.Enabled() &&
              r.page.memoryMonitorTimer.Enabled());
  EXPECT_FALSE(r.page.defragmenter.Busy());
}

TEST(MemoryPageTest, TickStartsOneAutomaticRunFromTheWholeMemoryStatus) {
  Rig r;
  // 16 GiB with 515 MiB available (95 % in use): a 32-bit status could not tell it.
  r.system.status = {95, 16384ull << 20, 515ull << 20, 0, 0, 0, 0};
  r.page.defragmentSizeSlider.SetMax(16385);
  r.page.defragmentSizeSlider.SetValue(8192);
  r.page.memoryLimitBox.SetChecked(true);
  r.page.lastAutoRun = r.now - 30000;
  r.page.OnMemoryMonitorTimer();
  EXPECT_EQ(r.page.lastAutoRun, r.now);
  EXPECT_EQ(r.blocks.commits, 3);  // one run: 515 MiB less the 512 MiB margin of 16 GiB
  EXPECT_EQ(r.hint, kDefragmentingHint);
}

TEST(MemoryPageTest, ATickAfterTheFirstAllocatesNothing) {
  if (!testing::AllocationsCounted()) GTEST_SKIP() << "the sanitizer's operator new is kept";
  for (bool perfData : {true, false}) {  // the performance data, or the processor times
    Rig r(perfData ? std::nullopt : std::optional(ProcessorTimes{}));
    const auto a = Block({kThreeSeconds / 2, 0}, 3), b = Block({kThreeSeconds, kThreeSeconds / 3}, 6);
    r.page.memoryTabVisible = true;
    r.page.memoryLimitBox.SetChecked(true);  // the trigger is weighed on every tick, but no run starts
    r.page.cpuLimitBox.SetChecked(true);
    r.page.lastAutoRun = r.now;
    {
      testing::CountAllocations counter;
      r.page.OnMemoryMonitorTimer();
      // The first sample of the performance data sizes the counter arrays: the count sees it.
      if (perfData) {
        EXPECT_GT(counter.Count(), 0);
      }
    }
    for (int tick = 0; tick < 8; ++tick) {
      r.system.perfData = tick % 2 ? a : b;  // same size: no allocation
      r.system.status.memoryLoad = 30 + static_cast<std::uint32_t>(tick);  // a new hint each tick
      r.system.times = ProcessorTimes{static_cast<std::uint64_t>(tick) * 1000, static_cast<std::uint64_t>(tick) * 3000, 7};
      long allocations = -1;
      {
        testing::CountAllocations counter;
        r.page.OnMemoryMonitorTimer();
        allocations = counter.Count();
      }
      EXPECT_EQ(allocations, 0) << "perf data " << perfData << ", tick " << tick;
    }
    EXPECT_EQ(r.hint, "Tovrane  可用内存：63 %");
  }
}

}  // namespace
}  // namespace tovr::memory
