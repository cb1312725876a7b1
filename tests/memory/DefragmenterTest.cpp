// The defragmenter over a fake allocator: progress counts and order, every word written and
// every block released, the busy guard, a failed commit, and the cap below available memory.
#include <gtest/gtest.h>

#include "fakes/FakeMemory.h"
#include "memory/Defragmenter.h"

namespace tovr::memory {
namespace {

struct Rig {
  Rig() { memory.status = {50, 4096ull << 20, 3000ull << 20, 0, 0, 0, 0}; }  // room for 1024 blocks
  FakeMemoryMonitor memory;
  FakeBlockAllocator blocks;
  Defragmenter defrag{blocks, memory};
  std::function<void()> progress = [this] { blocks.log.emplace_back("progress"); };
};

TEST(DefragmenterTest, CommitsFillsHoldsAndReleasesEveryBlock) {
  const struct {
    int sizeMiB;
    std::vector<std::string> log;
  } cases[] = {
      {2, {"commit", "progress", "commit", "progress", "release", "progress", "release", "progress"}},
      {0, {}},
      {-5, {}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Rig r;
    EXPECT_EQ(r.defrag.Defragment(cases[i].sizeMiB, r.progress), std::max(0, cases[i].sizeMiB)) << "case " << i;
    EXPECT_EQ(r.blocks.log, cases[i].log) << "case " << i;
    EXPECT_EQ(r.blocks.unwrittenReleases, 0) << "case " << i;
    EXPECT_EQ(r.blocks.Held(), 0u) << "case " << i;
    EXPECT_FALSE(r.defrag.Busy()) << "case " << i;
  }
}

TEST(DefragmenterTest, ACallDuringARunReturnsAtOnce) {
  Rig r;
  int nested = -1;
  const std::function<void()> progress = [&] {
    if (nested < 0) nested = r.defrag.Defragment(5, r.progress);
  };
  EXPECT_EQ(r.defrag.Defragment(2, progress), 2);
  EXPECT_EQ(nested, 0);
  EXPECT_EQ(r.blocks.commits, 2);
  EXPECT_EQ(r.blocks.Held(), 0u);
}

TEST(DefragmenterTest, AFailedCommitEndsTheRunAndReleasesWhatIsHeld) {
  Rig r;
  r.blocks.failAt = 2;
  int steps = 0;
  EXPECT_EQ(r.defrag.Defragment(5, [&] { ++steps; }), 2);
  EXPECT_EQ(r.blocks.commits, 3);  // no block asked for after the one refused
  EXPECT_EQ(r.blocks.released, 2);
  EXPECT_EQ(r.blocks.strayReleases, 0);  // the empty entry is not released
  EXPECT_EQ(steps, 4);
  EXPECT_EQ(r.blocks.Held(), 0u);

  // A step that fails mid-run leaves nothing committed either.
  Rig t;
  int calls = 0;
  EXPECT_THROW(t.defrag.Defragment(4, [&] { if (++calls == 3) throw std::runtime_error("step"); }), std::runtime_error);
  EXPECT_EQ(t.blocks.Held(), 0u);
  EXPECT_FALSE(t.defrag.Busy());
}

TEST(DefragmenterTest, RunsStayBelowTheAvailableMemory) {
  const struct {
    std::uint64_t totalMiB, availMiB;
    int limit;
  } limits[] = {
      {512, 128, 0},        // no more than the margin of 128 MiB
      {2048, 1000, 872},    // 1/32 of 2 GiB is 64: the 128 MiB floor holds
      {8192, 1000, 744},    // 1/32 of 8 GiB: 256 MiB
      {65536, 4096, 1024},  // 2 GiB margin, and never more than 1024 blocks
  };
  for (const auto& l : limits) {
    MemoryStatus s;
    s.totalPhys = l.totalMiB << 20;
    s.availPhys = (l.availMiB << 20) + 12345;  // whole MiB count
    EXPECT_EQ(Defragmenter::RunLimitMiB(s), l.limit) << l.totalMiB << "/" << l.availMiB;
  }
  Rig r;
  r.memory.status.totalPhys = 512ull << 20;
  r.memory.status.availPhys = 131ull << 20;
  EXPECT_EQ(r.defrag.Defragment(64, nullptr), 3);
  EXPECT_EQ(r.blocks.commits, 3);
}

}  // namespace
}  // namespace tovr::memory
