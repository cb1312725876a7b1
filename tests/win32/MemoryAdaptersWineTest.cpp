// The memory page's adapters against the real calls under Wine: a defragmenter block is
// committed with the protection asked for and is gone after its release; the processor
// sampler on the real system port gives loads without an error (where the performance data
// has no Processor object, as under Wine, from the processors' times), and the performance
// data block the port fetches is one the walker can read.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "memory/CpuUsageSampler.h"
#include "memory/PerfDataWalker.h"
#include "memory/win32/Win32BlockAllocator.h"
#include "memory/win32/Win32MemoryMonitor.h"

namespace tovr::memory::win32 {
namespace {

TEST(MemoryAdaptersWineTest, BlocksAreCommittedUncachedAndReleased) {
  Win32BlockAllocator blocks;
  void* block = blocks.Commit(1u << 20);
  ASSERT_NE(block, nullptr);
  MEMORY_BASIC_INFORMATION info{};
  ASSERT_NE(VirtualQuery(block, &info, sizeof info), 0u);
  EXPECT_EQ(info.State, static_cast<DWORD>(MEM_COMMIT));
  EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_READWRITE | PAGE_NOCACHE));
  EXPECT_GE(info.RegionSize, static_cast<SIZE_T>(1u << 20));
  std::memset(block, 0, 1u << 20);  // every page writable
  blocks.Release(block);
  ASSERT_NE(VirtualQuery(block, &info, sizeof info), 0u);
  EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE));
  blocks.Release(nullptr);  // an empty entry: nothing happens
}

TEST(MemoryAdaptersWineTest, SamplerGivesLoadsFromTheRealSystem) {
  Win32MemoryMonitor system;
  const MemoryStatus status = system.ReadMemoryStatus();
  EXPECT_GT(status.totalPhys, 0u);
  EXPECT_LE(status.availPhys, status.totalPhys);
  EXPECT_LE(status.memoryLoad, 100u);
  EXPECT_EQ(system.PlatformId(), std::optional<std::uint32_t>(VER_PLATFORM_WIN32_NT));

  // The fetched block is readable: either the Processor object is there or it is missing,
  // never a block the walker must reject.
  std::vector<std::uint8_t> buffer(8192);
  std::uint32_t size = 0;
  PerfQuery answer = PerfQuery::MoreData;
  while (answer == PerfQuery::MoreData && buffer.size() < (16u << 20)) {
    size = static_cast<std::uint32_t>(buffer.size());
    answer = system.QueryProcessorData(buffer.data(), size);
    if (answer == PerfQuery::MoreData) buffer.resize(buffer.size() + 4096);
  }
  ASSERT_EQ(answer, PerfQuery::Ok);
  const PerfStatus where = LocateProcessorTimes(std::span(buffer.data(), size)).status;
  EXPECT_TRUE(where == PerfStatus::Ok || where == PerfStatus::NoProcessorObject) << static_cast<int>(where);

  CpuUsageSampler sampler(system);
  ASSERT_NO_THROW(sampler.CollectCpuData());
  const auto busyUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
  while (std::chrono::steady_clock::now() < busyUntil) {
  }
  ASSERT_NO_THROW(sampler.CollectCpuData());
  const int n = sampler.CpuCount();
  ASSERT_GE(n, 1);
  EXPECT_EQ(sampler.UsingProcessorTimes(), where != PerfStatus::Ok);
  for (int i = 0; i < n; ++i) {
    const double load = sampler.CpuUsage(i);
    EXPECT_GE(load, 0.0) << i;
    EXPECT_LE(load, 1.0) << i;
  }
}

}  // namespace
}  // namespace tovr::memory::win32
