// RegistryViewTest.exe: the registry view check of the 32-bit build, run under WOW64 (Wine's
// 32-bit support). Prints each fault; exit 0 when there is none.
#include <cstdio>

#include "win32/regview/RegistryView.h"

int main() {
  const auto faults = tovr::testing::RegistryViewFaults();
  for (const std::string& fault : faults) std::printf("FAIL %s\n", fault.c_str());
  if (faults.empty()) std::printf("PASS the machine's keys are the 64-bit ones\n");
  return faults.empty() ? 0 : 1;
}
