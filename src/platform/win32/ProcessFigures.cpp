#include "platform/win32/ProcessFigures.h"

#include <psapi.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> wakeUps{0};
std::atomic<long long> allocations{0};
std::atomic<long long> readyMilliseconds{-1};
std::atomic<long long> iconsAttachedMilliseconds{-1};
std::atomic<long long> stepMicroseconds[tovr::kStartupSteps + 1];

// Without allocating, so that reading the figures does not move the allocation count.
long long HeapBlocksInUse() {
  HANDLE heaps[256];
  const DWORD count = GetProcessHeaps(256, heaps);
  long long blocks = 0;
  for (DWORD i = 0; i < count && i < 256; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++blocks;
    HeapUnlock(heaps[i]);
  }
  return blocks;
}

long long Ticks(const FILETIME& t) { return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

long long CpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  return (Ticks(kernel) + Ticks(user)) / 10000;  // 100 ns units
}

}  // namespace

// Every C++ allocation of the process is counted on its way to malloc; the other forms of
// operator new (arrays, nothrow) come here through the standard library.
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tovr {

UINT ProcessFigureMessage() {
  static const UINT message = RegisterWindowMessageW(L"TovrProcessFigure");
  return message;
}

void CountWakeUp() { wakeUps.fetch_add(1, std::memory_order_relaxed); }

// 100-nanosecond steps since the process was created; -1 when the system does not say.
long long SinceCreation() {
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  GetSystemTimeAsFileTime(&now);
  return Ticks(now) - Ticks(created);
}

void MarkReady() {
  if (const long long t = SinceCreation(); t >= 0) readyMilliseconds.store(t / 10000);
}

void MarkIconsAttached() {
  if (const long long t = SinceCreation(); t >= 0) iconsAttachedMilliseconds.store(t / 10000);
}

void MarkStartupStep(int step) {
  if (step < 1 || step > kStartupSteps) return;
  if (const long long t = SinceCreation(); t >= 0) stepMicroseconds[step].store(t / 10);
}

LRESULT ReadProcessFigure(WPARAM which) {
  switch (which) {
    case kPrivateBytes: {
      PROCESS_MEMORY_COUNTERS_EX counters{};
      counters.cb = sizeof counters;
      if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof counters))
        return -1;
      // Wine leaves PrivateUsage 0 and gives the private pages in use as the commit charge; on
      // Windows the two are equal.
      return static_cast<LRESULT>(counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage);
    }
    case kCpuMilliseconds: return CpuMilliseconds();
    case kWakeUps: return wakeUps.load();
    case kAllocations: return allocations.load();
    case kHeapBlocks: return HeapBlocksInUse();
    case kReadyMilliseconds: return readyMilliseconds.load();
    case kIconsAttachedMilliseconds: return iconsAttachedMilliseconds.load();
    default:
      if (which > kStartupStepBase && which <= kStartupStepBase + kStartupSteps) {
        const long long t = stepMicroseconds[which - kStartupStepBase].load();
        return t > 0 ? t : -1;
      }
      return -1;
  }
}

}  // namespace tovr
