#include "memory/MemoryPage.h"

#include <optional>

#include "memory/MonitorRules.h"

namespace tovr::memory {

namespace {

std::string WithNumber(const char* before, int n, const char* after) {
  return before + std::to_string(n) + after;
}

// Restores the controls a run switched off, however the run ends.
class RunEnd {
 public:
  explicit RunEnd(std::function<void()> end) : end_(std::move(end)) {}
  ~RunEnd() { end_(); }
  RunEnd(const RunEnd&) = delete;
  RunEnd& operator=(const RunEnd&) = delete;

 private:
  std::function<void()> end_;
};

}  // namespace

MemoryPage::MemoryPage(MemoryPagePorts ports, controls::MenuItem& menumem, std::function<std::uint32_t()> tickCount,
                       std::function<void(const std::string&)> setTrayHint)
    : sampler(ports.monitor),
      defragmenter(ports.blocks, ports.monitor),
      monitor_(ports.monitor),
      menumem_(menumem),
      tickCount_(std::move(tickCount)),
      setTrayHint_(std::move(setTrayHint)),
      step_([this] {
        if (ProcessMessages) ProcessMessages();
        Gauge5.AddProgress(1);
      }),
      noStep_([] {}) {
  MemLevel.SetIncrement(8);
  DLevel.SetIncrement(8);
  CPULevel.SetIncrement(8);
  MemLevelChange();
  DLevelChange();
  CPULevelChange();
  hint_.reserve(64);
  shownHint_.reserve(64);
}

std::vector<controls::Control*> MemoryPage::Controls() {
  return {&LInfo,   &MemLevel, &Dinfo,   &DLevel, &CInfo,   &CPULevel, &LGauge3, &Gauge3, &LGauge1,
          &Gauge1,  &LGauge2,  &Gauge2,  &LGauge4, &Gauge4, &LGauge5,  &Gauge5,  &Button2};
}

void MemoryPage::MemLevelChange() { LInfo.SetCaption(WithNumber("整理0-", MemLevel.Value(), "MB的内存区域")); }

void MemoryPage::DLevelChange() {
  Dinfo.SetCaption(WithNumber("当可用物理内存小于 ", DLevel.Value(), "% 时自动进行内存整理"));
}

void MemoryPage::CPULevelChange() {
  CInfo.SetCaption(WithNumber("当CPU占用率超过 ", CPULevel.Value(), "% 时不自动进行内存整理"));
}

void MemoryPage::SetHint(std::string_view text) {
  if (text == shownHint_) return;  // the tooltip already says it
  shownHint_.assign(text);
  if (setTrayHint_) setTrayHint_(shownHint_);
}

void MemoryPage::TimermemTimer() {
  const MemoryStatus status = monitor_.ReadMemoryStatus();
  Gauge1.SetProgress(100 - static_cast<int>(status.memoryLoad));
  if (Button2.Enabled()) {  // while a run lasts, the hint keeps its running text
    FormatFreeMemoryHint(Gauge1.Progress(), hint_);
    SetHint(hint_);
  }

  sampler.CollectCpuData();
  std::optional<int> cpu;
  if (const int n = sampler.CpuCount(); n > 0) {
    float sum = 0;
    for (int i = 0; i < n; ++i) sum += static_cast<float>(sampler.CpuUsage(i));
    Gauge3.SetProgress(RoundHalfEven(static_cast<double>(sum) * 100 / n));
    cpu = Gauge3.Progress();
  }

  if (memoryTabVisible) {
    Gauge2.SetProgress(PercentOf(status.availPageFile, status.totalPageFile));
    Gauge4.SetProgress(PercentOf(status.availVirtual, status.totalVirtual));
  }

  TriggerInput in;
  in.memLimitOn = Dinfo.Checked();
  in.freePercent = Gauge1.Progress();
  in.freeLimit = DLevel.Value();
  in.cpuLimitOn = CInfo.Checked();
  in.cpuPercent = cpu;
  in.cpuLimit = CPULevel.Value();
  in.now = tickCount_();
  in.lastAutoRun = lastAutoRun;
  in.availPhys = status.availPhys;
  in.memLevel = MemLevel.Value();
  if (ShouldAutoDefragment(in)) {
    // Recorded first: the tick at the end of the run starts no second one.
    lastAutoRun = in.now;
    Button2Click();
  }
}

void MemoryPage::TSmemoryShow() {
  if (Gauge1.Progress() == 0) TimermemTimer();
  memoryTabVisible = true;
}

void MemoryPage::TSmemoryHide() {
  memoryTabVisible = false;
  Gauge5.SetProgress(0);
}

void MemoryPage::Button2Click() {
  if (defragmenter.Busy()) return;
  SetHint(kDefragmentingHint);
  Gauge5.SetProgress(0);
  Timermem.SetEnabled(false);
  Button2.SetEnabled(false);
  menumem_.SetEnabled(false);
  RunEnd end([this] {
    Button2.SetEnabled(true);
    menumem_.SetEnabled(true);
    Timermem.SetEnabled(true);
  });
  Gauge5.SetMax(2 * MemLevel.Value());
  // Chosen once: with the tab hidden the run shows no steps and lets no messages through.
  defragmenter.Defragment(MemLevel.Value(), memoryTabVisible ? step_ : noStep_);
  TimermemTimer();  // the gauges show the memory freed; the hint keeps the running text
}

}  // namespace tovr::memory
