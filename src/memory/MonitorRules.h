// The rules of the memory monitor's tick as pure functions: the gauges' figures and the
// conditions of the automatic defragmentation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tovr::memory {

inline constexpr std::uint32_t kAutoRunPauseMs = 30000;

// What the automatic start looks at on a tick.
struct TriggerInput {
  bool memLimitOn = false;        // memoryLimitBox ticked
  int freePercent = 0;            // freePhysicalMemoryGauge
  int freeLimit = 0;              // memoryLimitSlider position
  bool cpuLimitOn = false;        // cpuLimitBox ticked
  std::optional<int> cpuPercent;  // cpuUsageGauge of this tick; nullopt when the load is unknown
  int cpuLimit = 0;               // cpuLimitSlider position
  std::uint32_t now = 0;        // millisecond tick count
  std::uint32_t lastAutoRun = 0;
  std::uint64_t availPhys = 0;  // bytes
  int defragmentSizeMiB = 0;    // defragmentSizeSlider position, in MiB
};

// True when all four hold: memoryLimitBox is ticked and the free percentage is below memoryLimitSlider; cpuLimitBox is
// not ticked, or the load is known and at most cpuLimitSlider; at least 30 000 ms have passed since
// the last automatic run (taken modulo 2^32, so across the wrap of the tick counter); the
// available physical memory in whole MiB is below defragmentSizeSlider. With cpuLimitBox ticked and the load
// unknown, nothing starts: the processors might be busy.
bool ShouldAutoDefragment(const TriggerInput& in);

// Rounds to the nearest integer, halves to even (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
int RoundHalfEven(double value);

// 100 * part / whole, rounded as above; 0 when whole is 0.
int PercentOf(std::uint64_t part, std::uint64_t whole);

// The tray hint of the monitor, "Tovrane  可用内存：<percent> %", written into `out` (whose
// capacity is reused: no allocation once it has held one hint).
void FormatFreeMemoryHint(int percent, std::string& out);
inline constexpr char kDefragmentingHint[] = "Tovrane 正在整理内存...";

}  // namespace tovr::memory
