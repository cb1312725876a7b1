// The defragmenter's allocator against the real calls under Wine: a block is committed with
// the protection asked for, and is gone after its release. (The system port's sampling under
// Wine is proven end to end: tests/e2e/checks/memory.sh.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "memory/win32/Win32BlockAllocator.h"

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

}  // namespace
}  // namespace tovr::memory::win32
