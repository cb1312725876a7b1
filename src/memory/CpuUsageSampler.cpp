#include "memory/CpuUsageSampler.h"

#include <algorithm>
#include <span>
#include <utility>

#include "base/Error.h"
#include "memory/PerfDataWalker.h"

namespace tovr::memory {

namespace {

constexpr std::uint32_t kPlatformNt = 2;
constexpr char kCpuUsageValue[] = "KERNEL\\CPUUsage";

const char* FailureText(PerfStatus status) {
  switch (status) {
    case PerfStatus::NoProcessorObject: return kNoProcessorObjectText;
    case PerfStatus::NoProcessorCounter: return kNoProcessorCounterText;
    default: return kReadPerfDataText;
  }
}

}  // namespace

CpuUsageSampler::CpuUsageSampler(IMemoryMonitor& system) : system_(system) {
  const std::optional<std::uint32_t> platform = system_.PlatformId();
  // Without a version the system is taken for what every supported one is: the NT family.
  versionFailed_ = !platform;
  if (platform && *platform != kPlatformNt) {
    source_ = Source::Win9x;
  } else if (const std::optional<ProcessorTimes> times = system_.ReadProcessorTimes()) {
    source_ = Source::ProcessorTimes;  // this reading is the first sample
    timesCurrent_ = *times;
  } else {
    source_ = Source::PerfData;
    buffer_.resize(kInitialBuffer);
  }
}

CpuUsageSampler::~CpuUsageSampler() {
  if (source_ != Source::Win9x || !started9x_) return;
  // Reading the value of StopStat ends the statistics; errors are ignored.
  system_.CloseDynKey(statData_);
  const int stop = system_.OpenDynKey("PerfStats\\StopStat", false);
  if (stop < 0) return;
  (void)system_.ReadDynDword(stop, kCpuUsageValue);
  system_.CloseDynKey(stop);
}

void CpuUsageSampler::Fail(const char* text) {
  known_ = false;
  if (errorShown_) return;
  errorShown_ = true;
  throw Error(text);
}

void CpuUsageSampler::CollectCpuData() {
  if (versionFailed_) {
    versionFailed_ = false;
    Fail(kWindowsVersionText);
    return;
  }
  switch (source_) {
    case Source::PerfData: CollectPerfData(); break;
    case Source::ProcessorTimes: CollectProcessorTimes(); break;
    case Source::Win9x: Collect9x(); break;
  }
}

void CpuUsageSampler::CollectPerfData() {
  std::uint32_t size = 0;
  PerfQuery answer = PerfQuery::Failed;
  for (;;) {
    size = static_cast<std::uint32_t>(buffer_.size());
    answer = system_.QueryProcessorData(buffer_.data(), size);
    if (answer != PerfQuery::MoreData) break;
    if (buffer_.size() + kBufferStep > kMaxBuffer) {
      answer = PerfQuery::Failed;
      break;
    }
    buffer_.resize(buffer_.size() + kBufferStep);
  }

  const char* failure = kReadPerfDataText;
  if (answer == PerfQuery::Ok) {
    const std::span<const std::uint8_t> block(buffer_.data(), std::min<std::size_t>(size, buffer_.size()));
    const ProcessorLocation where = LocateProcessorTimes(block);
    if (where.status == PerfStatus::Ok) {
      if (cpuCount_ < 0) {
        cpuCount_ = where.instances;
        current_.assign(static_cast<std::size_t>(cpuCount_), 0);
        previous_.assign(static_cast<std::size_t>(cpuCount_), 0);
      }
      // The current values become the previous ones; a block that fails to read leaves both.
      std::swap(current_, previous_);
      if (ReadProcessorTimes(block, where, current_) == PerfStatus::Ok) {
        previousTime_ = currentTime_;
        currentTime_ = where.sampleTime;
        if (!sampled_) {  // the first sample has no interval: its load is 0
          std::copy(current_.begin(), current_.end(), previous_.begin());
          previousTime_ = currentTime_;
          sampled_ = true;
        }
        known_ = true;
        return;
      }
      std::swap(current_, previous_);
    } else {
      failure = FailureText(where.status);
    }
  }
  Fail(failure);
}

void CpuUsageSampler::CollectProcessorTimes() {
  const std::optional<ProcessorTimes> times = system_.ReadProcessorTimes();
  if (!times) {
    Fail(kReadPerfDataText);
    return;
  }
  timesPrevious_ = timesCurrent_;
  timesCurrent_ = *times;
  known_ = true;
}

void CpuUsageSampler::Collect9x() {
  if (!started9x_) {
    const int start = system_.OpenDynKey("PerfStats\\StartStat", true);
    if (start < 0) {
      Fail(kStartMonitoringText);
      return;
    }
    if (auto value = system_.ReadDynDword(start, kCpuUsageValue)) load9x_ = *value;
    system_.CloseDynKey(start);
    statData_ = system_.OpenDynKey("PerfStats\\StatData", false);
    if (statData_ < 0) {
      Fail(kReadPerfDataText);
      return;
    }
    started9x_ = true;
  }
  if (auto value = system_.ReadDynDword(statData_, kCpuUsageValue)) load9x_ = *value;
  known_ = true;
}

int CpuUsageSampler::CpuCount() {
  if (source_ == Source::PerfData && cpuCount_ < 0) CollectCpuData();
  switch (source_) {
    case Source::PerfData: return known_ ? cpuCount_ : 0;
    case Source::ProcessorTimes: return known_ ? 1 : 0;
    case Source::Win9x: return errorShown_ && !known_ ? 0 : 1;  // 0 once a failure went silent
  }
  return 0;
}

double CpuUsageSampler::CpuUsage(int index) {
  switch (source_) {
    case Source::Win9x:
      if (!started9x_) CollectCpuData();
      if (index != 0) throw Error(kCpuIndexText);
      return load9x_ / 100.0;
    case Source::ProcessorTimes: {
      if (index != 0) throw Error(kCpuIndexText);
      // Kernel time includes the idle time.
      const auto busy = static_cast<std::int64_t>((timesCurrent_.kernel + timesCurrent_.user) -
                                                  (timesPrevious_.kernel + timesPrevious_.user));
      const auto idle = static_cast<std::int64_t>(timesCurrent_.idle - timesPrevious_.idle);
      if (busy == 0) return 0;
      return 1.0 - static_cast<double>(idle) / static_cast<double>(busy);
    }
    case Source::PerfData:
      break;
  }
  if (index < 0 || index >= cpuCount_) throw Error(kCpuIndexText);
  if (currentTime_ == previousTime_) return 0;
  const std::size_t i = static_cast<std::size_t>(index);
  return 1.0 - static_cast<double>(current_[i] - previous_[i]) / static_cast<double>(currentTime_ - previousTime_);
}

}  // namespace tovr::memory
