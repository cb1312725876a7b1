// The startup list's system port against the real calls: the search path finds a system
// program and nothing for a name that is no file; names order as lstrcmp orders them; the
// Startup folders exist; a file goes to the Recycle Bin and a missing one does not.
#include <windows.h>

#include <gtest/gtest.h>

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
  EXPECT_LT(system.CompareNames("apple", "Banana"), 0);  // not by code units: 'B' < 'a'
  EXPECT_GT(system.CompareNames("启动", "Zebra"), 0);
  EXPECT_EQ(system.CompareNames("同名", "同名"), 0);
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
