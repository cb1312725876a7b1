// The processor load sampler, one for the program. On the NT family the load of all
// processors together comes from their idle and busy times (GetSystemTimes, one cheap call per
// sample). Only where the system cannot give those times does each sample read the Processor
// object of the performance data (one registry query into a buffer kept and grown between
// samples; on current Windows the first query loads counter libraries into the process) and
// keep the idle time of every instance with the block's time. Either way the load is the busy
// fraction between the last two samples. On Windows 9x the load is the system's own running
// figure from the dynamic statistics.
//
// An error is raised once at most: afterwards a failing sample leaves the load unknown
// (CpuCount 0) without a word.
//
// After the first sample nothing is allocated.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "memory/MemoryPorts.h"

namespace tovr::memory {

inline constexpr char kNoProcessorObjectText[] = "Unable to locate the \"Processor\" performance object";
inline constexpr char kNoProcessorCounterText[] = "Unable to locate the \"% of CPU usage\" performance counter";
inline constexpr char kStartMonitoringText[] = "Unable to start performance monitoring";
inline constexpr char kReadPerfDataText[] = "Unable to read performance data";
inline constexpr char kCpuIndexText[] = "CPU index out of bounds";
inline constexpr char kWindowsVersionText[] = "Can't get the Windows version";

class CpuUsageSampler {
 public:
  static constexpr std::uint32_t kInitialBuffer = 8192;
  static constexpr std::uint32_t kBufferStep = 4096;
  static constexpr std::uint32_t kMaxBuffer = 16u << 20;  // a source that always wants more fails

  explicit CpuUsageSampler(IMemoryMonitor& system);
  ~CpuUsageSampler();  // on Windows 9x ends the statistics it started
  CpuUsageSampler(const CpuUsageSampler&) = delete;
  CpuUsageSampler& operator=(const CpuUsageSampler&) = delete;

  // Takes one sample. Throws tovr::Error with one of the texts above (once at most).
  void CollectCpuData();
  // Number of instances whose load CpuUsage gives: 1 on Windows 9x and with the processor
  // times; with the performance data the Processor object's instance count, sampling first
  // while it is unknown.
  // 0 while the load is unknown.
  int CpuCount();
  // The load of instance `index` as a fraction (1 = fully busy). Throws "CPU index out of
  // bounds" for an index outside 0 .. CpuCount() - 1.
  double CpuUsage(int index);

  bool UsingProcessorTimes() const { return source_ == Source::ProcessorTimes; }

 private:
  enum class Source { PerfData, ProcessorTimes, Win9x };
  void CollectPerfData();
  void CollectProcessorTimes();
  void Collect9x();
  void Fail(const char* text);

  IMemoryMonitor& system_;
  Source source_ = Source::PerfData;
  bool versionFailed_ = false;
  bool errorShown_ = false;
  bool known_ = false;  // the last sample gave a load
  int cpuCount_ = -1;
  std::vector<std::uint8_t> buffer_;
  std::vector<std::int64_t> current_, previous_;
  std::int64_t currentTime_ = 0, previousTime_ = 0;
  ProcessorTimes timesCurrent_, timesPrevious_;
  bool sampled_ = false;
  // Windows 9x.
  bool started9x_ = false;
  int statData_ = -1;
  std::uint32_t load9x_ = 0;
};

}  // namespace tovr::memory
