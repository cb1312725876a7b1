#include "memory/MonitorRules.h"

#include <charconv>
#include <cmath>

namespace tovr::memory {

bool ShouldAutoDefragment(const TriggerInput& in) {
  if (!in.memLimitOn || in.freePercent >= in.freeLimit) return false;
  if (in.cpuLimitOn && (!in.cpuPercent || *in.cpuPercent > in.cpuLimit)) return false;
  if (static_cast<std::uint32_t>(in.now - in.lastAutoRun) < kAutoRunPauseMs) return false;
  return in.defragmentSizeMiB > 0 && (in.availPhys >> 20) < static_cast<std::uint64_t>(in.defragmentSizeMiB);
}

int RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  value = std::fmin(std::fmax(value, -1e9), 1e9);
  const double down = std::floor(value);
  const double rest = value - down;
  double result = down;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(down, 2.0) != 0.0)) result = down + 1;
  return static_cast<int>(result);
}

int PercentOf(std::uint64_t part, std::uint64_t whole) {
  if (whole == 0) return 0;
  return RoundHalfEven(100.0 * static_cast<double>(part) / static_cast<double>(whole));
}

void FormatFreeMemoryHint(int percent, std::string& out) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, percent).ptr;
  out.assign("Tovrane  可用内存：");
  out.append(digits, end);
  out.append(" %");
}

}  // namespace tovr::memory
