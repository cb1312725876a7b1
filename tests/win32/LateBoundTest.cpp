// Functions bound at their first call, under Wine: one that exists is called through its own
// type, and a library or function that is not there is an Error naming both.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <string>

#include "base/Error.h"
#include "platform/win32/LateBound.h"

namespace tovr {
namespace {

std::string ErrorOf(const wchar_t* library, const char* function) {
  try {
    win32::LateBoundAddress(library, function);
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(LateBoundTest, BindsAtTheFirstCallAndNamesWhatIsMissing) {
  EXPECT_EQ(TOVR_LATE(comdlg32, CommDlgExtendedError)(), 0u);  // no dialog has failed
  EXPECT_NE(GetModuleHandleW(L"comdlg32.dll"), nullptr);

  EXPECT_EQ(ErrorOf(L"tovr-no-such-library.dll", "Anything").rfind("tovr-no-such-library.dll Anything: ", 0), 0u);
  EXPECT_EQ(ErrorOf(L"comdlg32.dll", "NoSuchFunction").rfind("comdlg32.dll NoSuchFunction: ", 0), 0u);
}

}  // namespace
}  // namespace tovr
