// The figures a process reads of itself for the benchmarks, under Wine: each one moves with the
// work it counts, so a benchmark never compares zeros.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/win32/ProcessFigures.h"

namespace tovr {
namespace {

TEST(ProcessFiguresTest, EachFigureFollowsTheWorkItCounts) {
  const LRESULT privateBefore = ReadProcessFigure(kPrivateBytes);
  ASSERT_GT(privateBefore, 0);  // Wine leaves PrivateUsage 0; the commit charge stands in
  void* block = VirtualAlloc(nullptr, 8u << 20, MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(block, nullptr);
  std::memset(block, 1, 8u << 20);  // Wine counts the pages in use, Windows the commit
  EXPECT_GE(ReadProcessFigure(kPrivateBytes) - privateBefore, static_cast<LRESULT>(8u << 20));
  VirtualFree(block, 0, MEM_RELEASE);

  const LRESULT allocations = ReadProcessFigure(kAllocations);
  const LRESULT blocks = ReadProcessFigure(kHeapBlocks);
  std::vector<std::unique_ptr<int>> kept;
  for (int i = 0; i < 100; ++i) kept.push_back(std::make_unique<int>(i));
  EXPECT_GE(ReadProcessFigure(kAllocations) - allocations, 100);
  EXPECT_GE(ReadProcessFigure(kHeapBlocks) - blocks, 100);

  const LRESULT wakeUps = ReadProcessFigure(kWakeUps);
  CountWakeUp();
  EXPECT_EQ(ReadProcessFigure(kWakeUps), wakeUps + 1);
  EXPECT_EQ(ReadProcessFigure(99), -1);
}

}  // namespace
}  // namespace tovr
