// Arbitrary bytes, or a well-formed block with bytes of it overwritten, as the performance
// data block of the processor sampler's walker. Invariants checked (the sanitizers catch any
// read outside the bytes):
// - a located Processor object has at least one instance, and no more than could fit;
// - reading the times of the located instances stays inside the bytes;
// - a well-formed block left untouched gives back exactly the idle times it was built with.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fakes/PerfBlockBuilder.h"
#include "memory/PerfDataWalker.h"
#include "FuzzCheck.h"

namespace {

void Walk(const std::vector<std::uint8_t>& bytes, const std::vector<std::int64_t>* expected) {
  using namespace tovr::memory;
  const ProcessorLocation where = LocateProcessorTimes(bytes);
  if (expected) Check(where.status == PerfStatus::Ok, "a well-formed block is located");
  if (where.status != PerfStatus::Ok) return;
  Check(where.instances >= 1, "a located object has instances");
  Check(static_cast<std::size_t>(where.instances) * 28 <= bytes.size(), "instances fit in the block");
  std::vector<std::int64_t> times(static_cast<std::size_t>(where.instances));
  const PerfStatus read = ReadProcessorTimes(bytes, where, times);
  if (expected) Check(read == PerfStatus::Ok && times == *expected, "a well-formed block reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  if (data[0] & 1) {  // the bytes themselves, in a buffer of exactly their size
    Walk(std::vector<std::uint8_t>(data + 1, data + size), nullptr);
    return 0;
  }
  // A block built from the first bytes, then overwritten at (offset, byte) pairs.
  tovr::PerfBlockSpec spec;
  const std::size_t instances = 1 + (size > 1 ? data[1] % 8 : 0);
  spec.idle.clear();
  for (std::size_t i = 0; i < instances; ++i) {
    spec.idle.push_back(static_cast<std::int64_t>(i < size ? data[i] : 0) * 1000003);
  }
  if (size > 2) {
    if (data[2] & 1) spec.objectsBefore = {};
    if (data[2] & 2) spec.countersBefore = {};
  }
  std::vector<std::uint8_t> block = tovr::BuildPerfBlock(spec);
  bool touched = false;
  for (std::size_t i = 3; i + 2 < size; i += 3) {
    const std::size_t at = (static_cast<std::size_t>(data[i]) << 8 | data[i + 1]) % block.size();
    touched = touched || block[at] != data[i + 2];
    block[at] = data[i + 2];
  }
  Walk(block, touched ? nullptr : &spec.idle);
  return 0;
}
