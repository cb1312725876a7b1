// The performance data walker on synthetic blocks: where it finds the processor times, what
// it says when the object or the counter is missing, and that truncated and lying blocks are
// rejected without a read outside them (each case runs on a heap copy of exactly its bytes,
// so the sanitizer build sees any stray read).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fakes/PerfBlockBuilder.h"
#include "memory/PerfDataWalker.h"

namespace tovr::memory {
namespace {

std::uint32_t At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// Locates and reads `count` instances; Ok only when both succeed.
PerfStatus Walk(const std::vector<std::uint8_t>& bytes, int count, std::vector<std::int64_t>* out = nullptr) {
  const std::vector<std::uint8_t> exact(bytes);  // no slack behind the last byte
  const ProcessorLocation where = LocateProcessorTimes(exact);
  if (where.status != PerfStatus::Ok) return where.status;
  std::vector<std::int64_t> times(static_cast<std::size_t>(count));
  const PerfStatus read = ReadProcessorTimes(exact, where, times);
  if (out) *out = times;
  return read;
}

TEST(PerfDataWalkerTest, FindsTheIdleTimesAndTheSampleTime) {
  PerfBlockSpec spec;
  spec.idle = {123456789012345, -7};
  const auto block = BuildPerfBlock(spec);
  const ProcessorLocation where = LocateProcessorTimes(block);
  ASSERT_EQ(where.status, PerfStatus::Ok);
  EXPECT_EQ(where.instances, 2);
  EXPECT_EQ(where.sampleTime, SystemTimeTo100ns(2024, 5, 6, 7, 8, 9, 0));
  std::vector<std::int64_t> times;
  ASSERT_EQ(Walk(block, 2, &times), PerfStatus::Ok);
  EXPECT_EQ(times, (std::vector<std::int64_t>{123456789012345, -7}));
  // Asking for more instances than the object holds runs off its end.
  EXPECT_EQ(Walk(block, 3), PerfStatus::Malformed);
  // The block's time converts as file times do.
  EXPECT_EQ(SystemTimeTo100ns(1601, 1, 1, 0, 0, 0, 0), 0);
  EXPECT_EQ(SystemTimeTo100ns(1970, 1, 1, 0, 0, 0, 0), 116444736000000000);
  EXPECT_EQ(SystemTimeTo100ns(2000, 3, 1, 0, 0, 0, 1) - SystemTimeTo100ns(2000, 2, 28, 0, 0, 0, 0),
            2 * 864000000000 + 10000);  // a leap day
  EXPECT_EQ(SystemTimeTo100ns(2001, 2, 29, 0, 0, 0, 0), -1);
}

TEST(PerfDataWalkerTest, MissingObjectOrCounter) {
  PerfBlockSpec noObject, noObjects, noCounter;
  noObject.withProcessor = false;  // the other object has a counter 6: not the one
  noObjects.withProcessor = false;
  noObjects.objectsBefore = {};  // what Wine answers
  noCounter.withTimeCounter = false;
  EXPECT_EQ(Walk(BuildPerfBlock(noObject), 1), PerfStatus::NoProcessorObject);
  EXPECT_EQ(Walk(BuildPerfBlock(noObjects), 1), PerfStatus::NoProcessorObject);
  EXPECT_EQ(Walk(BuildPerfBlock(noCounter), 1), PerfStatus::NoProcessorCounter);
}

TEST(PerfDataWalkerTest, TruncatedBlocksAreRejected) {
  PerfBlockSpec spec;
  spec.idle = {5, 6};
  const auto block = BuildPerfBlock(spec);
  for (std::size_t n = 0; n < block.size(); ++n) {
    std::vector<std::uint8_t> cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_NE(Walk(cut, 2), PerfStatus::Ok) << "cut at " << n;
    // The same, with a header that claims the cut length as the whole block.
    if (n >= 24) {
      for (int i = 0; i < 4; ++i) cut[20 + i] = static_cast<std::uint8_t>(n >> (8 * i));
      EXPECT_NE(Walk(cut, 2), PerfStatus::Ok) << "lying cut at " << n;
    }
  }
}

TEST(PerfDataWalkerTest, LyingFieldsAreRejected) {
  PerfBlockSpec spec;
  spec.idle = {5, 6};
  const auto good = BuildPerfBlock(spec);
  const std::size_t proc = 88 + At(good, 88);          // the Processor object, after one other
  const std::size_t counters = proc + 64;               // its three counter definitions
  const std::size_t instance = proc + At(good, proc + 4);
  const std::size_t counterBlock = instance + At(good, instance);
  const std::size_t total = good.size();
  struct Patch {
    std::size_t at;
    std::uint32_t value;
  };
  const Patch patches[] = {
      {20, static_cast<std::uint32_t>(total + 1)},   // block longer than its bytes
      {24, static_cast<std::uint32_t>(total + 8)},   // header past the end
      {88, 0},                                       // an object of no length (would loop)
      {88, 0x7FFFFFF0},                              // an object past the end
      {proc + 4, 0xFFFF},                            // definitions past the object
      {counters, 0},                                 // a counter definition of no length
      {proc + 40, 0x7FFFFFFF},                       // more instances than could fit
      {proc + 40, 0xFFFFFFFF},                       // no instances (PERF_NO_INSTANCES)
      {counters + 80 + 36, 0xFFFFFFFC},              // the counter's offset past its block
      {counters + 80 + 36, static_cast<std::uint32_t>(At(good, counterBlock) - 4)},  // half out
      {instance, 0x10000},                           // an instance past the object
      {counterBlock, 0},                             // a counter block of no length
      {36, 13},                                      // month 13
  };
  ASSERT_EQ(Walk(good, 2), PerfStatus::Ok);
  for (std::size_t i = 0; i < std::size(patches); ++i) {
    auto bad = good;
    if (patches[i].at == 36) {
      bad[38] = static_cast<std::uint8_t>(patches[i].value);  // SYSTEMTIME's month field
    } else {
      for (int b = 0; b < 4; ++b) bad[patches[i].at + b] = static_cast<std::uint8_t>(patches[i].value >> (8 * b));
    }
    EXPECT_EQ(Walk(bad, 2), PerfStatus::Malformed) << "patch " << i;
  }
  // Counts past the last object or counter definition, where the one sought is missing.
  PerfBlockSpec noObject, noCounter;
  noObject.withProcessor = false;
  noCounter.withTimeCounter = false;
  auto objects = BuildPerfBlock(noObject);
  objects[28] = objects[29] = 0xFF;
  EXPECT_EQ(Walk(objects, 1), PerfStatus::Malformed);
  auto definitions = BuildPerfBlock(noCounter);
  definitions[88 + At(definitions, 88) + 32] = 200;
  EXPECT_EQ(Walk(definitions, 1), PerfStatus::Malformed);
}

}  // namespace
}  // namespace tovr::memory
