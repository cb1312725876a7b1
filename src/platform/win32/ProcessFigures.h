// What a running process costs, read from inside it. Tovrane's main window and the MinimalTray
// yardstick answer the registered message "TovrProcessFigure" (WPARAM: which figure) with the
// figure as the result, so bench/figures.sh compares the two processes' own accounts.
#pragma once

#include <windows.h>

namespace tovr {

enum ProcessFigure : WPARAM {
  kPrivateBytes = 0,     // GetProcessMemoryInfo: PrivateUsage (under Wine the pages in use)
  kCpuMilliseconds = 1,  // user and kernel time since the process started
  kWakeUps = 2,          // messages the main loop has taken from the queue
  kAllocations = 3,      // C++ allocations (operator new) since the process started
  kHeapBlocks = 4,       // blocks in use in the process's heaps now
  kReadyMilliseconds = 5,  // from the process's creation to MarkReady; -1 before it
  kIconsAttachedMilliseconds = 6,  // from the process's creation to MarkIconsAttached; -1 before it
  // kStartupStepBase + N (N = 1..kStartupSteps): microseconds from the process's creation to the
  // beginning of start-up step N; -1 before it.
  kStartupStepBase = 100,
};
inline constexpr int kStartupSteps = 28;

UINT ProcessFigureMessage();
void CountWakeUp();
// The program is ready: its start-up has ended (every tray entry built, the settings applied).
void MarkReady();
void MarkStartupStep(int step);
// The icons start-up left for later are in place: the menu and the lists are complete.
void MarkIconsAttached();
LRESULT ReadProcessFigure(WPARAM which);

}  // namespace tovr
