// The memory page TSmemory as one object: the defragmenter's size MemLevel with its caption
// LInfo, the automatic trigger's boxes Dinfo and CInfo with their levels DLevel and CPULevel,
// the five gauges with their labels, Button2 ("立即整理内存"), the monitor's timer Timermem,
// memoryTabVisible and lastAutoRun, the processor sampler and the defragmenter. The main
// window holds one and delegates each of the page's handlers to it in one line; the Win32 view
// (memory/win32/MemoryPageView) mirrors the gauges and the button.
//
// The tick (TimermemTimer) reads the memory status, sets the gauges and the tray hint, samples
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

struct MemoryPagePorts {
  IMemoryMonitor& monitor;
  IBlockAllocator& blocks;
};

class MemoryPage {
 public:
  // `menumem` is the tray menu's "立即整理内存", switched off with Button2 during a run;
  // `tickCount` the millisecond tick counter; `setTrayHint` sets the tray icon's tooltip.
  MemoryPage(MemoryPagePorts ports, controls::MenuItem& menumem, std::function<std::uint32_t()> tickCount,
             std::function<void(const std::string&)> setTrayHint);
  MemoryPage(const MemoryPage&) = delete;
  MemoryPage& operator=(const MemoryPage&) = delete;

  // The controls of the page in layout order.
  std::vector<controls::Control*> Controls();

  // The sliders' change handlers rewrite their captions.
  void MemLevelChange();
  void DLevelChange();
  void CPULevelChange();

  void TimermemTimer();
  void TSmemoryShow();  // the first tick at once if none has run, then the tab counts as visible
  void TSmemoryHide();  // the tab no longer counts as visible; Gauge5 back to 0
  // The defragmentation command: the tray hint shows the running text until the next regular
  // tick; Button2, menumem and Timermem are off during the run and on again after it, however
  // it ends. Does nothing while a run is in progress.
  void Button2Click();
  void menumemClick() { if (Button2.Enabled()) Button2Click(); }

  // Lets the user interface process its pending messages (set by the view); the step of a run
  // with the tab visible.
  std::function<void()> ProcessMessages;

  controls::Label LInfo{"LInfo"};
  controls::TrackBar MemLevel{"MemLevel", 2, 1024, 1024};
  controls::CheckBox Dinfo{"Dinfo"};
  controls::TrackBar DLevel{"DLevel", 2, 100, 10};
  controls::CheckBox CInfo{"CInfo"};
  controls::TrackBar CPULevel{"CPULevel", 2, 100, 10};
  controls::Label LGauge3{"LGauge3", "CPU 的占用率"};
  Gauge Gauge3{"Gauge3"};
  controls::Label LGauge1{"LGauge1", "可用物理内存"};
  Gauge Gauge1{"Gauge1"};
  controls::Label LGauge2{"LGauge2", "可用交换内存"};
  Gauge Gauge2{"Gauge2"};
  controls::Label LGauge4{"LGauge4", "可用虚拟内存"};
  Gauge Gauge4{"Gauge4"};
  controls::Label LGauge5{"LGauge5", "内存整理进度"};
  Gauge Gauge5{"Gauge5"};
  controls::Button Button2{"Button2", "立即整理内存"};
  controls::Timer Timermem{"Timermem", 3000, true};

  bool memoryTabVisible = false;
  std::uint32_t lastAutoRun = 0;  // set at start-up to the tick count then
  CpuUsageSampler sampler;
  Defragmenter defragmenter;

 private:
  void SetHint(std::string_view text);

  IMemoryMonitor& monitor_;
  controls::MenuItem& menumem_;
  std::function<std::uint32_t()> tickCount_;
  std::function<void(const std::string&)> setTrayHint_;
  std::function<void()> step_;
  std::function<void()> noStep_;
  std::string hint_;       // the free-memory line being written
  std::string shownHint_;  // the tooltip last set
};

}  // namespace tovr::memory
