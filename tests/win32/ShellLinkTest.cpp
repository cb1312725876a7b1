// The shell link adapter against the real shell link object: a link written by it resolves to
// its target, and links that cannot be read fail with the system's text.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/Error.h"
#include "base/Text.h"
#include "base/win32/Wide.h"
#include "platform/win32/Win32ShellLinks.h"

namespace tovr::shortcuts::win32 {
namespace {

class ShellLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root = Narrow(temp) + "tovr-lnk-" + std::to_string(GetCurrentProcessId()) + "-链接";
    CreateDirectoryW(Widen(root).c_str(), nullptr);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(Widen(root)), ignored);
    CoUninitialize();
  }
  void WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }

  std::string root;
  Win32ShellLinks links;
};

TEST_F(ShellLinkTest, ALinkMadeByTheShellLinkObjectResolvesToItsTarget) {
  const std::string targets[] = {root + "\\tool.exe", root + "\\报告 2.txt", root};
  WriteFile(targets[0], "MZ");
  WriteFile(targets[1], "x");
  for (std::size_t i = 0; i < std::size(targets); ++i) {
    const std::string link = root + "\\link" + std::to_string(i) + ".lnk";
    ASSERT_TRUE(links.CreateShellLink(targets[i], link, root, "desc [Tovrane创建]")) << "case " << i;
    EXPECT_TRUE(text::EqualsIgnoreAsciiCase(links.ResolveShellLink(link), targets[i]))
        << "case " << i << ": " << links.ResolveShellLink(link);
  }
}

TEST_F(ShellLinkTest, ALinkThatCannotBeReadFailsWithTheSystemsText) {
  const std::string bad[] = {root + "\\missing.lnk", root + "\\garbage.lnk"};
  WriteFile(bad[1], "not a shell link at all");
  for (std::size_t i = 0; i < std::size(bad); ++i) {
    try {
      links.ResolveShellLink(bad[i]);
      ADD_FAILURE() << "case " << i << ": no error";
    } catch (const Error& e) {
      EXPECT_FALSE(std::string(e.what()).empty()) << "case " << i;
    }
  }
  const LinkSaveResult missingFolder =
      links.CreateShellLink(root + "\\x.exe", root + "\\no such folder\\x.lnk", root, "");
  EXPECT_FALSE(missingFolder);
  EXPECT_FALSE(missingFolder.accessDenied);
}

// A path the system refuses to write (as it refuses a folder this user may not write; here a
// folder in the link's place, which Wine refuses the same way to every user): the refusal is
// told apart from other failures, with the system's text.
TEST_F(ShellLinkTest, ARefusedWriteIsReportedAsAccessDenied) {
  const std::string link = root + "\\taken.lnk";
  ASSERT_TRUE(CreateDirectoryW(Widen(link).c_str(), nullptr));
  const LinkSaveResult saved = links.CreateShellLink(root + "\\x.exe", link, root, "");
  EXPECT_FALSE(saved);
  EXPECT_TRUE(saved.accessDenied);
  EXPECT_FALSE(saved.error.empty());
}

}  // namespace
}  // namespace tovr::shortcuts::win32
