// Defragmenting N MiB (default 1024) with the program's defragmenter on the Win32 allocator,
// side by side with a bare loop that commits the same 1 MiB blocks with the same protection,
// writes every byte, holds them all and releases them. Alternates the two, prints each run
// and the medians in milliseconds and their ratio. A benchmark, not a test.
//
//   defrag_bench.exe [MiB] [rounds]
//
// The defragmenter caps a run below the available physical memory; the bare loop then does
// the number of blocks the defragmenter did, so that both move the same memory.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "memory/Defragmenter.h"
#include "memory/win32/Win32BlockAllocator.h"
#include "memory/win32/Win32MemoryMonitor.h"

namespace {

double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Returns false when a block could not be committed.
bool BareLoop(int blocks) {
  std::vector<void*> table(static_cast<std::size_t>(blocks > 0 ? blocks : 0));
  constexpr SIZE_T kBlock = 1u << 20;
  int held = 0;
  for (; held < blocks; ++held) {
    table[held] = VirtualAlloc(nullptr, kBlock, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE);
    if (!table[held]) break;
    std::memset(table[held], 0, kBlock);
  }
  for (int i = 0; i < held; ++i) VirtualFree(table[i], 0, MEM_RELEASE);
  return held == blocks;
}

}  // namespace

int main(int argc, char** argv) {
  const int mib = argc > 1 ? std::atoi(argv[1]) : 1024;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
  tovr::memory::win32::Win32MemoryMonitor monitor;
  tovr::memory::win32::Win32BlockAllocator blocks;
  tovr::memory::Defragmenter defrag(blocks, monitor);
  const auto status = monitor.ReadMemoryStatus();
  std::printf("physical memory: %llu MiB, available %llu MiB; run limit %d MiB\n",
              static_cast<unsigned long long>(status.totalPhys >> 20),
              static_cast<unsigned long long>(status.availPhys >> 20),
              tovr::memory::Defragmenter::RunLimitMiB(status));
  const std::function<void()> noStep = [] {};  // what the command passes with the tab hidden
  std::vector<double> defragTimes, bareTimes;
  int done = 0;
  for (int round = 0; round <= rounds; ++round) {  // round 0 warms up
    double d = 0, b = 0;
    for (int half = 0; half < 2; ++half) {
      const bool defragFirst = round % 2 == 0;
      if ((half == 0) == defragFirst) {
        const double t0 = Now();
        done = defrag.Defragment(mib, noStep);
        d = Now() - t0;
      } else {
        const double t0 = Now();
        if (!BareLoop(done > 0 ? done : mib)) std::printf("bare loop: a block could not be committed\n");
        b = Now() - t0;
      }
    }
    std::printf("round %d: defragmenter %d MiB %.1f ms, bare loop %.1f ms%s\n", round, done, d, b,
                round == 0 ? " (warm-up)" : "");
    if (round > 0) {
      defragTimes.push_back(d);
      bareTimes.push_back(b);
    }
  }
  const double md = Median(defragTimes), mb = Median(bareTimes);
  std::printf("median of %d: defragmenter %.1f ms, bare loop %.1f ms, ratio %.3f\n", rounds, md, mb, md / mb);
  return 0;
}
