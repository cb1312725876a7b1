// The defragmenter's blocks on Win32: VirtualAlloc with no address, MEM_COMMIT and
// PAGE_READWRITE | PAGE_NOCACHE; VirtualFree with MEM_RELEASE.
#pragma once

#include "memory/MemoryPorts.h"

namespace tovr::memory::win32 {

class Win32BlockAllocator final : public IBlockAllocator {
 public:
  static constexpr unsigned long kProtection = 0x204;  // PAGE_READWRITE | PAGE_NOCACHE
  void* Commit(std::size_t bytes) override;
  void Release(void* block) override;
};

}  // namespace tovr::memory::win32
