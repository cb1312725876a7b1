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

#if defined(__SANITIZE_ADDRESS__)
#define TOVR_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOVR_ASAN 1
#endif
#endif

#ifdef TOVR_ASAN
// The sanitizer's own operators stay: they check that new pairs with delete and new[] with
// delete[] in every test. No counting there.
bool tovr::testing::AllocationsCounted() { return false; }
#else
bool tovr::testing::AllocationsCounted() { return true; }

// Every plain and array form, with and without nothrow (the aligned forms stay the library's,
// paired among themselves).
namespace {
void* Allocate(std::size_t size) noexcept {
  if (tovr::testing::CountingAllocations()) ++tovr::testing::AllocationCount();
  return std::malloc(size ? size : 1);
}
void* AllocateOrThrow(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
#endif
