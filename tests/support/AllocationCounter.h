// Counts the allocations made through the global operator new while a CountAllocations is
// alive (on this thread). The test binary replaces operator new and delete for this in
// AllocationCounter.cpp (otherwise they behave as the standard ones), except under
// AddressSanitizer, whose own operators are kept: AllocationsCounted() is false there.
#pragma once

namespace tovr::testing {

bool AllocationsCounted();
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
