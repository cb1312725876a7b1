#include "memory/win32/Win32BlockAllocator.h"

#include <windows.h>

namespace tovr::memory::win32 {

static_assert(Win32BlockAllocator::kProtection == (PAGE_READWRITE | PAGE_NOCACHE));

void* Win32BlockAllocator::Commit(std::size_t bytes) { return VirtualAlloc(nullptr, bytes, MEM_COMMIT, kProtection); }

void Win32BlockAllocator::Release(void* block) {
  if (block) VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace tovr::memory::win32
