// listedWindows: the handles behind the lines of the window list, entry i for line i. A table
// of a fixed 201 entries that is never written past its end: once it is full, further windows
// are refused.
#pragma once

#include <array>
#include <cstddef>

#include "transparency/WindowSystem.h"

namespace tovr::transparency {

class ListedWindows {
 public:
  static constexpr std::size_t kCapacity = 201;

  // Every entry back to no window.
  void Clear() {
    entries_.fill(0);
    count_ = 0;
  }
  // The next entry; false (and nothing written) when the table is full.
  bool Add(WindowHandle window) {
    if (count_ == kCapacity) return false;
    entries_[count_++] = window;
    return true;
  }
  // Entry `index`; no window outside the table.
  WindowHandle At(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < kCapacity ? entries_[static_cast<std::size_t>(index)] : 0;
  }
  std::size_t Count() const { return count_; }

 private:
  std::array<WindowHandle, kCapacity> entries_{};
  std::size_t count_ = 0;
};

}  // namespace tovr::transparency
