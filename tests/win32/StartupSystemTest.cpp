// The startup list's system port against the real calls: the search path finds a system
// program and nothing for a name that is no file; names order as lstrcmp orders them.
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

}  // namespace
}  // namespace tovr::startup::win32
