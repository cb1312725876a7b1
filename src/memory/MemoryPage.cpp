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

MemoryPage::MemoryPage(MemorySystemPorts ports, controls::MenuItem& defragMemoryItem,
                       std::function<std::uint32_t()> tickCount, std::function<void(const std::string&)> setTrayHint)
    : sampler(ports.monitor),
      defragmenter(ports.blocks, ports.monitor),
      monitor_(ports.monitor),
      defragMemoryItem_(defragMemoryItem),
      tickCount_(std::move(tickCount)),
      setTrayHint_(std::move(setTrayHint)),
      step_([this] {
        if (ProcessMessages) ProcessMessages();
        defragmentProgressGauge.AddProgress(1);
      }),
      noStep_([] {}) {
  defragmentSizeSlider.SetIncrement(8);
  memoryLimitSlider.SetIncrement(8);
  cpuLimitSlider.SetIncrement(8);
  OnDefragmentSizeChanged();
  OnMemoryLimitChanged();
  OnCpuLimitChanged();
  hint_.reserve(64);
  shownHint_.reserve(64);
}

std::vector<controls::Control*> MemoryPage::Controls() {
  return {&defragmentSizeLabel,
          &defragmentSizeSlider,
          &memoryLimitBox,
          &memoryLimitSlider,
          &cpuLimitBox,
          &cpuLimitSlider,
          &cpuUsageLabel,
          &cpuUsageGauge,
          &freePhysicalMemoryLabel,
          &freePhysicalMemoryGauge,
          &freePageFileLabel,
          &freePageFileGauge,
          &freeVirtualMemoryLabel,
          &freeVirtualMemoryGauge,
          &defragmentProgressLabel,
          &defragmentProgressGauge,
          &defragmentNowButton};
}

void MemoryPage::OnDefragmentSizeChanged() {
  defragmentSizeLabel.SetCaption(WithNumber("整理0-", defragmentSizeSlider.Value(), "MB的内存区域"));
}

void MemoryPage::OnMemoryLimitChanged() {
  memoryLimitBox.SetCaption(WithNumber("当可用物理内存小于 ", memoryLimitSlider.Value(), "% 时自动进行内存整理"));
}

void MemoryPage::OnCpuLimitChanged() {
  cpuLimitBox.SetCaption(WithNumber("当CPU占用率超过 ", cpuLimitSlider.Value(), "% 时不自动进行内存整理"));
}

void MemoryPage::SetHint(std::string_view text) {
  if (text == shownHint_) return;  // the tooltip already says it
  shownHint_.assign(text);
  if (setTrayHint_) setTrayHint_(shownHint_);
}

void MemoryPage::OnMemoryMonitorTimer() {
  const MemoryStatus status = monitor_.ReadMemoryStatus();
  freePhysicalMemoryGauge.SetProgress(100 - static_cast<int>(status.memoryLoad));
  if (defragmentNowButton.Enabled()) {  // while a run lasts, the hint keeps its running text
    FormatFreeMemoryHint(freePhysicalMemoryGauge.Progress(), hint_);
    SetHint(hint_);
  }

  sampler.CollectCpuData();
  std::optional<int> cpu;
  if (const int n = sampler.CpuCount(); n > 0) {
    float sum = 0;
    for (int i = 0; i < n; ++i) sum += static_cast<float>(sampler.CpuUsage(i));
    cpuUsageGauge.SetProgress(RoundHalfEven(static_cast<double>(sum) * 100 / n));
    cpu = cpuUsageGauge.Progress();
  }

  if (memoryTabVisible) {
    freePageFileGauge.SetProgress(PercentOf(status.availPageFile, status.totalPageFile));
    freeVirtualMemoryGauge.SetProgress(PercentOf(status.availVirtual, status.totalVirtual));
  }

  TriggerInput in;
  in.memLimitOn = memoryLimitBox.Checked();
  in.freePercent = freePhysicalMemoryGauge.Progress();
  in.freeLimit = memoryLimitSlider.Value();
  in.cpuLimitOn = cpuLimitBox.Checked();
  in.cpuPercent = cpu;
  in.cpuLimit = cpuLimitSlider.Value();
  in.now = tickCount_();
  in.lastAutoRun = lastAutoRun;
  in.availPhys = status.availPhys;
  in.defragmentSizeMiB = defragmentSizeSlider.Value();
  if (ShouldAutoDefragment(in)) {
    // Recorded first: the tick at the end of the run starts no second one.
    lastAutoRun = in.now;
    OnDefragmentNowClicked();
  }
}

void MemoryPage::OnMemoryPageShown() {
  if (freePhysicalMemoryGauge.Progress() == 0) OnMemoryMonitorTimer();
  memoryTabVisible = true;
}

void MemoryPage::OnMemoryPageHidden() {
  memoryTabVisible = false;
  defragmentProgressGauge.SetProgress(0);
}

void MemoryPage::OnDefragmentNowClicked() {
  if (defragmenter.Busy()) return;
  SetHint(kDefragmentingHint);
  defragmentProgressGauge.SetProgress(0);
  memoryMonitorTimer.SetEnabled(false);
  defragmentNowButton.SetEnabled(false);
  defragMemoryItem_.SetEnabled(false);
  RunEnd end([this] {
    defragmentNowButton.SetEnabled(true);
    defragMemoryItem_.SetEnabled(true);
    memoryMonitorTimer.SetEnabled(true);
  });
  defragmentProgressGauge.SetMax(2 * defragmentSizeSlider.Value());
  // Chosen once: with the tab hidden the run shows no steps and lets no messages through.
  defragmenter.Defragment(defragmentSizeSlider.Value(), memoryTabVisible ? step_ : noStep_);
  OnMemoryMonitorTimer();  // the gauges show the memory freed; the hint keeps the running text
}

}  // namespace tovr::memory
