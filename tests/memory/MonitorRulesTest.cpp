// The automatic trigger's four conditions and the gauges' rounding.
#include <gtest/gtest.h>

#include "memory/MonitorRules.h"

namespace tovr::memory {
namespace {

// All four conditions hold: 9 % free below memoryLimitSlider 10, cpuLimitBox off, long after the last run,
// 100 MiB available below defragmentSizeSlider 512.
TriggerInput Firing() {
  TriggerInput in;
  in.memLimitOn = true;
  in.freePercent = 9;
  in.freeLimit = 10;
  in.cpuLimit = 10;
  in.lastAutoRun = 1000;
  in.now = 1000 + 30000;
  in.availPhys = 100ull << 20;
  in.defragmentSizeMiB = 512;
  return in;
}

TEST(MonitorRulesTest, AutomaticTriggerTable) {
  struct Case {
    const char* what;
    void (*change)(TriggerInput&);
    bool fires;
  };
  const Case cases[] = {
      {"all four hold", [](TriggerInput&) {}, true},
      {"memoryLimitBox not ticked", [](TriggerInput& in) { in.memLimitOn = false; }, false},
      {"10 % free with memoryLimitSlider 10", [](TriggerInput& in) { in.freePercent = 10; }, false},
      {"CPU 10 % with cpuLimitSlider 10",
       [](TriggerInput& in) {
         in.cpuLimitOn = true;
         in.cpuPercent = 10;
       },
       true},
      {"CPU 11 % with cpuLimitSlider 10",
       [](TriggerInput& in) {
         in.cpuLimitOn = true;
         in.cpuPercent = 11;
       },
       false},
      {"CPU 90 % with cpuLimitBox off", [](TriggerInput& in) { in.cpuPercent = 90; }, true},
      {"CPU unknown with cpuLimitBox ticked", [](TriggerInput& in) { in.cpuLimitOn = true; }, false},
      {"defragmentSizeSlider 64 with 100 MiB free", [](TriggerInput& in) { in.defragmentSizeMiB = 64; }, false},
      {"defragmentSizeSlider 100 with 100 MiB free", [](TriggerInput& in) { in.defragmentSizeMiB = 100; }, false},
      {"defragmentSizeSlider 101 with 100 MiB free", [](TriggerInput& in) { in.defragmentSizeMiB = 101; }, true},
      {"29 999 ms after the last run", [](TriggerInput& in) { in.now = in.lastAutoRun + 29999; }, false},
      {"just after start-up", [](TriggerInput& in) { in.now = in.lastAutoRun + 5; }, false},
      {"no time since the last run", [](TriggerInput& in) { in.now = in.lastAutoRun; }, false},
      {"29 999 ms across the wrap",
       [](TriggerInput& in) {
         in.lastAutoRun = 0xFFFFF000;
         in.now = 29999 - 0x1000;
       },
       false},
      {"30 000 ms across the wrap",
       [](TriggerInput& in) {
         in.lastAutoRun = 0xFFFFF000;
         in.now = 30000 - 0x1000;
       },
       true},
      {"6 GiB free below defragmentSizeSlider 8192",
       [](TriggerInput& in) {
         in.availPhys = 6ull << 30;
         in.defragmentSizeMiB = 8192;
       },
       true},
      {"5 GiB free above defragmentSizeSlider 4096",
       [](TriggerInput& in) {
         in.availPhys = 5ull << 30;
         in.defragmentSizeMiB = 4096;
       },
       false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    TriggerInput in = Firing();
    cases[i].change(in);
    EXPECT_EQ(ShouldAutoDefragment(in), cases[i].fires) << "case " << i << ": " << cases[i].what;
  }
}

TEST(MonitorRulesTest, RoundingHalvesToEvenAndPercentages) {
  const double values[] = {0.5, 1.5, 2.5, 2.5000001, 69.99, -1.5};
  const int rounded[] = {0, 2, 2, 3, 70, -2};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(RoundHalfEven(values[i]), rounded[i]) << values[i];
  EXPECT_EQ(PercentOf(1, 8), 12);   // 12.5
  EXPECT_EQ(PercentOf(3, 8), 38);   // 37.5
  EXPECT_EQ(PercentOf(5, 0), 0);    // no page file
  EXPECT_EQ(PercentOf(6ull << 30, 8ull << 30), 75);  // counts past 4 GiB
}

}  // namespace
}  // namespace tovr::memory
