// Counts the allocations made through the global operator new while a CountAllocations is
// alive (on this thread). The test binary replaces operator new and delete for this in
// AllocationCounter.cpp; otherwise they behave as the standard ones.
#pragma once

namespace tovr::testing {

long& AllocationCount();
bool& CountingAllocations();

class CountAllocations {
 public:
  CountAllocations() { AllocationCount() = 0; CountingAllocations() = true; }
  ~CountAllocations() { CountingAllocations() = false; }
  CountAllocations(const CountAllocations&) = delete;
  CountAllocations& operator=(const CountAllocations&) = delete;
  long Count() const { return AllocationCount(); }
};

}  // namespace tovr::testing
