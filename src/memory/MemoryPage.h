// The memory page memoryTab as one object: the defragmenter's size defragmentSizeSlider with its caption
// defragmentSizeLabel, the automatic trigger's boxes memoryLimitBox and cpuLimitBox with their levels memoryLimitSlider
// and cpuLimitSlider, the five gauges with their labels, defragmentNowButton ("立即整理内存"), the monitor's timer
// memoryMonitorTimer, memoryTabVisible and lastAutoRun, the processor sampler and the defragmenter. The main window
// holds one and delegates each of the page's handlers to it in one line; the Win32 view (memory/win32/MemoryPageView)
// mirrors the gauges and the button.
//
// The tick (OnMemoryMonitorTimer) reads the memory status, sets the gauges and the tray hint, samples
// the processor load and starts a defragmentation by itself when memory runs low. After the
// first tick a tick allocates nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/CheckBox.h"
#include "controls/Edit.h"
#include "controls/MenuItem.h"
#include "controls/RangeControl.h"
#include "controls/Timer.h"
#include "memory/CpuUsageSampler.h"
#include "memory/Defragmenter.h"
#include "memory/Gauge.h"
#include "memory/MemoryPorts.h"

namespace tovr::memory {

class MemoryPage {
 public:
  // `defragMemoryItem` is the tray menu's "立即整理内存", switched off with defragmentNowButton during a run;
  // `tickCount` the millisecond tick counter; `setTrayHint` sets the tray icon's tooltip.
  MemoryPage(MemorySystemPorts ports, controls::MenuItem& defragMemoryItem, std::function<std::uint32_t()> tickCount,
             std::function<void(const std::string&)> setTrayHint);
  MemoryPage(const MemoryPage&) = delete;
  MemoryPage& operator=(const MemoryPage&) = delete;

  // The controls of the page in layout order.
  std::vector<controls::Control*> Controls();

  // The sliders' change handlers rewrite their captions.
  void OnDefragmentSizeChanged();
  void OnMemoryLimitChanged();
  void OnCpuLimitChanged();

  void OnMemoryMonitorTimer();
  void OnMemoryPageShown();   // the first tick at once if none has run, then the tab counts as visible
  void OnMemoryPageHidden();  // the tab no longer counts as visible; defragmentProgressGauge back to 0
  // The defragmentation command: the tray hint shows the running text until the next regular
  // tick; defragmentNowButton, defragMemoryItem and memoryMonitorTimer are off during the run and on again after it,
  // however it ends. Does nothing while a run is in progress.
  void OnDefragmentNowClicked();
  void OnDefragMemoryItemClicked() {
    if (defragmentNowButton.Enabled()) OnDefragmentNowClicked();
  }

  // Lets the user interface process its pending messages (set by the view); the step of a run
  // with the tab visible.
  std::function<void()> ProcessMessages;

  controls::Label defragmentSizeLabel{"defragmentSizeLabel"};
  controls::TrackBar defragmentSizeSlider{"defragmentSizeSlider", 2, 1024, 1024};
  controls::CheckBox memoryLimitBox{"memoryLimitBox"};
  controls::TrackBar memoryLimitSlider{"memoryLimitSlider", 2, 100, 10};
  controls::CheckBox cpuLimitBox{"cpuLimitBox"};
  controls::TrackBar cpuLimitSlider{"cpuLimitSlider", 2, 100, 10};
  controls::Label cpuUsageLabel{"cpuUsageLabel", "CPU 的占用率"};
  Gauge cpuUsageGauge{"cpuUsageGauge"};
  controls::Label freePhysicalMemoryLabel{"freePhysicalMemoryLabel", "可用物理内存"};
  Gauge freePhysicalMemoryGauge{"freePhysicalMemoryGauge"};
  controls::Label freePageFileLabel{"freePageFileLabel", "可用交换内存"};
  Gauge freePageFileGauge{"freePageFileGauge"};
  controls::Label freeVirtualMemoryLabel{"freeVirtualMemoryLabel", "可用虚拟内存"};
  Gauge freeVirtualMemoryGauge{"freeVirtualMemoryGauge"};
  controls::Label defragmentProgressLabel{"defragmentProgressLabel", "内存整理进度"};
  Gauge defragmentProgressGauge{"defragmentProgressGauge"};
  controls::Button defragmentNowButton{"defragmentNowButton", "立即整理内存"};
  controls::Timer memoryMonitorTimer{"memoryMonitorTimer", 3000, true};

  bool memoryTabVisible = false;
  std::uint32_t lastAutoRun = 0;  // set at start-up to the tick count then
  CpuUsageSampler sampler;
  Defragmenter defragmenter;

 private:
  void SetHint(std::string_view text);

  IMemoryMonitor& monitor_;
  controls::MenuItem& defragMemoryItem_;
  std::function<std::uint32_t()> tickCount_;
  std::function<void(const std::string&)> setTrayHint_;
  std::function<void()> step_;
  std::function<void()> noStep_;
  std::string hint_;       // the free-memory line being written
  std::string shownHint_;  // the tooltip last set
};

}  // namespace tovr::memory
