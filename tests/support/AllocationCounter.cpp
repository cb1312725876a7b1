#include "support/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace tovr::testing {

namespace {
thread_local long gCount = 0;
thread_local bool gCounting = false;
}  // namespace

long& AllocationCount() { return gCount; }
bool& CountingAllocations() { return gCounting; }

}  // namespace tovr::testing

void* operator new(std::size_t size) {
  if (tovr::testing::CountingAllocations()) ++tovr::testing::AllocationCount();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
