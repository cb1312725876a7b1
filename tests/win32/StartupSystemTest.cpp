// The startup list's system port against the real calls: the search path finds a system
// program and nothing for a name that is no file; sort keys order names as lstrcmp does; the
// Startup folders exist; a file goes to the Recycle Bin and a missing one does not.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "base/win32/Wide.h"
#include "startup/win32/Win32StartupSystem.h"

namespace tovr::startup::win32 {
namespace {

TEST(StartupSystemTest, SearchPathAndNameOrder) {
  Win32StartupSystem system;
  const std::optional<std::string> notepad = system.FindOnSearchPath("notepad.exe");
  ASSERT_TRUE(notepad);
  EXPECT_TRUE(text::AsciiLower(*notepad).ends_with("\\notepad.exe")) << *notepad;
  EXPECT_NE(GetFileAttributesW(Widen(*notepad).c_str()), INVALID_FILE_ATTRIBUTES) << *notepad;
  EXPECT_FALSE(system.FindOnSearchPath("not"));
  EXPECT_FALSE(system.FindOnSearchPath(""));
  const std::vector<std::string> names = {"apple", "Banana", "banana", "启动", "Zebra", "同名", "a-b", "ab", "",
                                          "Ä", "a", std::string(300, 'x') + "启"};
  for (const std::string& a : names) {
    for (const std::string& b : names) {
      const int want = lstrcmpW(Widen(a).c_str(), Widen(b).c_str());
      const std::string ka = system.SortKey(a), kb = system.SortKey(b);
      EXPECT_EQ(ka < kb ? -1 : (kb < ka ? 1 : 0), (want > 0) - (want < 0)) << a << " / " << b;
    }
  }
  EXPECT_LT(system.SortKey("apple"), system.SortKey("Banana"));  // not by code units: 'B' < 'a'
}

TEST(StartupSystemTest, StartupFoldersAndTheRecycleBin) {
  Win32StartupSystem system;
  for (const bool allUsers : {false, true}) {
    const std::string folder = system.StartupFolder(allUsers);
    EXPECT_TRUE(text::AsciiLower(folder).ends_with("\\startup")) << folder;
  }
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"tovr-recycle-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(system.Recycle(Narrow(file)));
  EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(system.Recycle(Narrow(file)));
}

}  // namespace
}  // namespace tovr::startup::win32
