#include "memory/Defragmenter.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tovr::memory {

namespace {

// Clears the busy flag however the run ends.
class BusyMark {
 public:
  explicit BusyMark(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyMark() { busy_ = false; }
  BusyMark(const BusyMark&) = delete;
  BusyMark& operator=(const BusyMark&) = delete;

 private:
  bool& busy_;
};

}  // namespace

int Defragmenter::RunLimitMiB(const MemoryStatus& status) {
  const std::uint64_t availMiB = status.availPhys >> 20;
  const std::uint64_t marginMiB = std::max(kMinMarginMiB, (status.totalPhys >> 20) / kMarginShare);
  if (availMiB <= marginMiB) return 0;
  return static_cast<int>(std::min<std::uint64_t>(availMiB - marginMiB, kMaxBlocks));
}

int Defragmenter::Defragment(int sizeMiB, const std::function<void()>& progress) {
  if (busy_) return 0;
  BusyMark mark(busy_);
  const int count = std::min({sizeMiB, kMaxBlocks, RunLimitMiB(memory_.ReadMemoryStatus())});
  int held = 0;
  int released = 0;
  try {
    // The first block that cannot be committed ends the committing; no more are asked for.
    while (held < count) {
      void* block = blocks_.Commit(kBlockBytes);
      if (!block) break;
      table_[static_cast<std::size_t>(held)] = block;
      std::fill_n(static_cast<std::uint32_t*>(block), kBlockBytes / sizeof(std::uint32_t), 0u);
      ++held;
      if (progress) progress();
    }
    for (; released < held; ++released) {
      blocks_.Release(table_[static_cast<std::size_t>(released)]);
      table_[static_cast<std::size_t>(released)] = nullptr;
      if (progress) progress();
    }
  } catch (...) {
    // A failing progress step: nothing stays committed.
    for (; released < held; ++released) {
      if (void* block = std::exchange(table_[static_cast<std::size_t>(released)], nullptr)) blocks_.Release(block);
    }
    throw;
  }
  return held;
}

}  // namespace tovr::memory
