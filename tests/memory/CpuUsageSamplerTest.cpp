// The processor sampler: the processors' times where the system gives them, else loads from
// two performance data samples with the kept and grown buffer; errors shown once at most; the
// Windows 9x statistics.
#include <gtest/gtest.h>

#include "fakes/FakeMemory.h"
#include "fakes/PerfBlockBuilder.h"
#include "memory/CpuUsageSampler.h"
#include "support/ErrorOf.h"

namespace tovr::memory {
namespace {

using testing::ErrorOf;
constexpr char kNone[] = "(no error)";
constexpr std::int64_t kThreeSeconds = 30000000;  // in 100 ns

std::vector<std::uint8_t> Block(std::vector<std::int64_t> idle, int second) {
  PerfBlockSpec spec;
  spec.idle = std::move(idle);
  spec.second = second;
  return BuildPerfBlock(spec);
}

// A system without the processors' times: the performance data serves.
FakeMemoryMonitor OldSystem() {
  FakeMemoryMonitor system;
  system.times.reset();
  return system;
}

TEST(CpuUsageSamplerTest, LoadIsTheBusyShareBetweenTwoSamples) {
  FakeMemoryMonitor system = OldSystem();
  system.perfData = Block({1000, 5000}, 0);
  CpuUsageSampler sampler(system);
  EXPECT_EQ(sampler.CpuCount(), 2);   // takes the first sample
  EXPECT_EQ(sampler.CpuUsage(0), 0);  // no interval yet
  // Three seconds later: instance 0 idle for 0.75 s, instance 1 for 3 s.
  system.perfData = Block({1000 + kThreeSeconds / 4, 5000 + kThreeSeconds}, 3);
  sampler.CollectCpuData();
  EXPECT_DOUBLE_EQ(sampler.CpuUsage(0), 0.75);
  EXPECT_DOUBLE_EQ(sampler.CpuUsage(1), 0);
  EXPECT_EQ(ErrorOf([&] { sampler.CpuUsage(2); }), kCpuIndexText);
  sampler.CollectCpuData();  // the same block again: no time has passed
  EXPECT_EQ(sampler.CpuUsage(0), 0);
}

TEST(CpuUsageSamplerTest, BufferGrowsInStepsAndIsKept) {
  FakeMemoryMonitor system = OldSystem();
  system.perfData = Block(std::vector<std::int64_t>(300, 0), 0);  // about 20 KB
  ASSERT_GT(system.perfData.size(), 16384u);
  ASSERT_LE(system.perfData.size(), 20480u);
  CpuUsageSampler sampler(system);
  sampler.CollectCpuData();
  EXPECT_EQ(system.perfQueries, 4);  // 8192, 12288, 16384: too small; 20480 holds it
  sampler.CollectCpuData();
  EXPECT_EQ(system.perfQueries, 5);
}

TEST(CpuUsageSamplerTest, TheProcessorTimesServeWhereTheSystemGivesThem) {
  FakeMemoryMonitor system;
  system.perfData = Block({0, 0}, 0);
  system.times = ProcessorTimes{1000, 3000, 1000};
  CpuUsageSampler sampler(system);
  // 4 s of processor time since the sampler began (kernel time includes idle), 1 s of it idle.
  system.times = ProcessorTimes{1000 + 10000000, 3000 + 30000000, 1000 + 10000000};
  EXPECT_EQ(ErrorOf([&] { sampler.CollectCpuData(); }), kNone);
  EXPECT_EQ(sampler.CpuCount(), 1);
  EXPECT_DOUBLE_EQ(sampler.CpuUsage(0), 0.75);
  sampler.CollectCpuData();  // no time has passed
  EXPECT_EQ(sampler.CpuUsage(0), 0);
  EXPECT_EQ(system.perfQueries, 0) << "the performance data is never asked";
  // The times fail later: the error once, then an unknown load without a word.
  system.times.reset();
  EXPECT_EQ(ErrorOf([&] { sampler.CollectCpuData(); }), kReadPerfDataText);
  EXPECT_EQ(ErrorOf([&] { sampler.CollectCpuData(); }), kNone);
  EXPECT_EQ(sampler.CpuCount(), 0);
  EXPECT_EQ(system.perfQueries, 0);
}

TEST(CpuUsageSamplerTest, PerformanceDataWithoutAProcessorObjectFailsOnce) {
  const std::pair<void (*)(FakeMemoryMonitor&), const char*> cases[] = {
      {[](FakeMemoryMonitor& s) { s.perfData = BuildPerfBlock({.objectsBefore = {}, .withProcessor = false}); },
       kNoProcessorObjectText},
      {[](FakeMemoryMonitor& s) { s.perfData = BuildPerfBlock({.withTimeCounter = false}); }, kNoProcessorCounterText},
      {[](FakeMemoryMonitor& s) { s.perfData.assign(100, 0xFF); }, kReadPerfDataText},
      {[](FakeMemoryMonitor& s) { s.perfFails = true; }, kReadPerfDataText},
  };
  for (const auto& [setUp, error] : cases) {
    FakeMemoryMonitor system = OldSystem();
    setUp(system);
    CpuUsageSampler sampler(system);
    EXPECT_EQ(ErrorOf([&] { sampler.CollectCpuData(); }), error);
    EXPECT_EQ(ErrorOf([&] { sampler.CollectCpuData(); }), kNone) << error;
    EXPECT_EQ(sampler.CpuCount(), 0) << error;
  }

  // A version that cannot be read is reported once; the NT sources serve.
  FakeMemoryMonitor noVersion = OldSystem();
  noVersion.platform.reset();
  noVersion.perfData = Block({0}, 0);
  CpuUsageSampler sampler(noVersion);
  EXPECT_EQ(ErrorOf([&] { sampler.CollectCpuData(); }), kWindowsVersionText);
  EXPECT_EQ(ErrorOf([&] { sampler.CollectCpuData(); }), kNone);
  EXPECT_EQ(sampler.CpuCount(), 1);
}

TEST(CpuUsageSamplerTest, Windows9xStatistics) {
  FakeMemoryMonitor system;
  system.platform = 1;
  system.dynKeys = {{"PerfStats\\StartStat", 7}, {"PerfStats\\StatData", 42}, {"PerfStats\\StopStat", 0}};
  {
    CpuUsageSampler sampler(system);
    EXPECT_EQ(sampler.CpuCount(), 1);
    EXPECT_DOUBLE_EQ(sampler.CpuUsage(0), 0.42);  // samples first
    EXPECT_EQ(ErrorOf([&] { sampler.CpuUsage(1); }), kCpuIndexText);
    system.dynKeys["PerfStats\\StatData"] = std::nullopt;  // a failed read keeps the last figure
    sampler.CollectCpuData();
    EXPECT_DOUBLE_EQ(sampler.CpuUsage(0), 0.42);
  }
  // Started once, read from the kept key, and ended by reading StopStat.
  const std::vector<std::string> expected = {
      "open PerfStats\\StartStat", "read PerfStats\\StartStat", "close PerfStats\\StartStat",
      "open PerfStats\\StatData",  "read PerfStats\\StatData",  "read PerfStats\\StatData",
      "close PerfStats\\StatData", "open PerfStats\\StopStat",  "read PerfStats\\StopStat",
      "close PerfStats\\StopStat"};
  EXPECT_EQ(system.dynLog, expected);

  for (const char* missing : {"PerfStats\\StartStat", "PerfStats\\StatData"}) {
    FakeMemoryMonitor broken;
    broken.platform = 1;
    broken.dynKeys = {{"PerfStats\\StartStat", 7}, {"PerfStats\\StatData", 42}};
    broken.dynKeys.erase(missing);
    CpuUsageSampler sampler(broken);
    EXPECT_EQ(ErrorOf([&] { sampler.CollectCpuData(); }),
              std::string(missing).ends_with("StartStat") ? kStartMonitoringText : kReadPerfDataText);
    EXPECT_EQ(ErrorOf([&] { sampler.CollectCpuData(); }), kNone) << missing;
    EXPECT_EQ(sampler.CpuCount(), 0) << missing;
  }
}

}  // namespace
}  // namespace tovr::memory
