// The memory defragmenter, one for the program: commits fresh 1 MiB blocks, writes every
// 32-bit word of each, holds them all, then releases them all again, which makes the system
// hand over that much physical memory and take it back.
//
// A run is capped below the physical memory available at its start (see RunLimitMiB), so it
// never pushes the machine into heavy paging. A block that cannot be committed ends the
// committing there; what is held is released as usual.
#pragma once

#include <array>
#include <cstddef>
#include <functional>

#include "memory/MemoryPorts.h"

namespace tovr::memory {

class Defragmenter {
 public:
  static constexpr std::size_t kBlockBytes = 1u << 20;
  static constexpr int kMaxBlocks = 1024;
  // Physical memory a run leaves available: at least this many MiB...
  static constexpr std::uint64_t kMinMarginMiB = 128;
  // ...and at least this fraction (1/n) of all physical memory.
  static constexpr std::uint64_t kMarginShare = 32;

  Defragmenter(IBlockAllocator& blocks, IMemoryMonitor& memory) : blocks_(blocks), memory_(memory) {}
  Defragmenter(const Defragmenter&) = delete;
  Defragmenter& operator=(const Defragmenter&) = delete;

  // Commits, fills and releases min(sizeMiB, 1024, RunLimitMiB) blocks; `progress` (may be
  // empty) runs after each block is filled and after each is released. Returns at once, doing
  // nothing, while a run is in progress (a call from inside `progress`). Returns the number of
  // blocks committed.
  int Defragment(int sizeMiB, const std::function<void()>& progress);
  bool Busy() const { return busy_; }

  // The most MiB a run may commit with this memory status: the available physical memory less
  // the margin, max(kMinMarginMiB, total / kMarginShare); 0 when nothing is left.
  static int RunLimitMiB(const MemoryStatus& status);

 private:
  IBlockAllocator& blocks_;
  IMemoryMonitor& memory_;
  bool busy_ = false;
  std::array<void*, kMaxBlocks> table_{};
};

}  // namespace tovr::memory
