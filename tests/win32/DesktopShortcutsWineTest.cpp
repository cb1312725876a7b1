// The desktop shortcut buttons against the real registry, file system and shell link object:
// the "Shell Folders" values point at temporary folders for the test and are put back after.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "base/Text.h"
#include "base/win32/Wide.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeShell.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "shortcuts/DesktopShortcuts.h"
#include "platform/win32/Win32ShellLinks.h"

namespace tovr::shortcuts {
namespace {

// What the shell link object reads back from a link file.
struct LinkFields {
  std::string target, workDir, description;
};

std::optional<LinkFields> ReadLink(const std::string& path) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return std::nullopt;
  }
  std::optional<LinkFields> out;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(Widen(path).c_str(), STGM_READ))) {
      wchar_t target[MAX_PATH] = {}, dir[MAX_PATH] = {}, desc[MAX_PATH] = {};
      WIN32_FIND_DATAW found{};
      link->GetPath(target, MAX_PATH, &found, SLGP_UNCPRIORITY);
      link->GetWorkingDirectory(dir, MAX_PATH);
      link->GetDescription(desc, MAX_PATH);
      out = LinkFields{Narrow(target), Narrow(dir), Narrow(desc)};
    }
    file->Release();
  }
  link->Release();
  return out;
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class DesktopShortcutsWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root = Narrow(temp) + "tovr-desk-" + std::to_string(GetCurrentProcessId());
    user = root + "\\用户 桌面";
    common = root + "\\公用桌面";
    for (const std::string* d : {&root, &user, &common}) CreateDirectoryW(Widen(*d).c_str(), nullptr);
    savedUser = Swap(RegRoot::CurrentUser, kUserShellFoldersKey, kUserDesktopValue, user);
    savedCommon = Swap(RegRoot::LocalMachine, kCommonShellFoldersKey, kCommonDesktopValue, common);
  }
  void TearDown() override {
    Restore(RegRoot::CurrentUser, kUserShellFoldersKey, kUserDesktopValue, savedUser);
    Restore(RegRoot::LocalMachine, kCommonShellFoldersKey, kCommonDesktopValue, savedCommon);
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(Widen(root)), ignored);
    CoUninitialize();
  }
  std::optional<RegValue> Swap(RegRoot r, const char* key, const char* value,
                               const std::string& folder) {
    auto k = reg.Create(r, key);
    std::optional<RegValue> old = k->Read(value);
    k->WriteString(value, folder);
    return old;
  }
  void Restore(RegRoot r, const char* key, const char* value, const std::optional<RegValue>& old) {
    auto k = reg.Create(r, key);
    if (old) {
      k->Write(value, *old);
    } else {
      k->DeleteValue(value);
    }
  }
  void WriteFile(const std::string& path) {
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    CloseHandle(h);
  }
  std::size_t FilesIn(const std::string& folder) {
    std::size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(Widen(folder)))) {
      n += e.is_regular_file() ? 1 : 0;
    }
    return n;
  }

  std::string root, user, common;
  std::optional<RegValue> savedUser, savedCommon;
  Win32Registry reg;
  Win32FileSystem fs;
  Win32ShellLinks links;
  FakeShellIcons icons;
  FakeMessageBox boxes;
  ShortcutList list{ShortcutPorts{fs, icons, links, boxes}};
  int pageShown = 0;
  DesktopShortcuts desktop{list, reg, [this] { ++pageShown; }};
};

TEST_F(DesktopShortcutsWineTest, ExportedLinksReadBackWithTargetWorkingFolderAndDescription) {
  const std::string tool = root + "\\tool.exe", other = root + "\\其他.exe";
  WriteFile(tool);
  WriteFile(other);
  ASSERT_TRUE(list.AddShortcut("Mail", tool, false));
  ASSERT_TRUE(list.AddShortcut("文档", root, false));

  desktop.OnExportDesktopLinksClicked();
  const struct {
    const char* name;
    std::string target;
  } cases[] = {{"Mail", tool}, {"文档", root}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto got = ReadLink(common + "\\" + cases[i].name + ".lnk");
    ASSERT_TRUE(got) << "case " << i;
    EXPECT_TRUE(text::EqualsIgnoreAsciiCase(got->target, cases[i].target)) << "case " << i << ": " << got->target;
    EXPECT_EQ(got->workDir, common) << "case " << i;
    EXPECT_EQ(got->description, std::string(cases[i].name) + " [Tovrane创建]") << "case " << i;
  }

  // A second export overwrites the link in place.
  list.SetTarget(0, other);
  desktop.OnExportDesktopLinksClicked();
  const auto again = ReadLink(common + "\\Mail.lnk");
  ASSERT_TRUE(again);
  EXPECT_TRUE(text::EqualsIgnoreAsciiCase(again->target, other)) << again->target;
  EXPECT_EQ(FilesIn(common), 2u);
  EXPECT_EQ(FilesIn(user), 0u);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DesktopShortcutsWineTest, RowNamesThatLeaveTheDesktopWriteNothing) {
  const std::string tool = root + "\\tool.exe";
  WriteFile(tool);
  CreateDirectoryW(Widen(common + "\\a").c_str(), nullptr);  // "a\b" would fit in here
  ASSERT_TRUE(list.AddShortcut("..\\x", tool, false));
  ASSERT_TRUE(list.AddShortcut("a\\b", root + "\\b.exe", false));
  ASSERT_TRUE(list.AddShortcut("CON", root + "\\c.exe", false));
  ASSERT_TRUE(list.AddShortcut("ok", root + "\\ok.exe", false));

  desktop.OnExportDesktopLinksClicked();
  EXPECT_FALSE(Exists(root + "\\x.lnk"));
  EXPECT_FALSE(Exists(common + "\\a\\b.lnk"));
  // (A device name reads as existing whatever folder precedes it, so the folders are counted.)
  EXPECT_EQ(FilesIn(root), 1u);    // tool.exe only
  EXPECT_EQ(FilesIn(common), 1u);  // ok.lnk only
  EXPECT_EQ(FilesIn(common + "\\a"), 0u);
  EXPECT_TRUE(Exists(common + "\\ok.lnk"));
}

TEST_F(DesktopShortcutsWineTest, ImportAndDeleteAllWorkOnTheRealDesktopFolders) {
  const std::string tool = root + "\\mail.exe";
  WriteFile(tool);
  ASSERT_TRUE(links.CreateShellLink(tool, user + "\\Mail.lnk", root, ""));
  ASSERT_TRUE(links.CreateShellLink(tool, common + "\\Mail.lnk", root, ""));
  WriteFile(user + "\\notes.txt");

  desktop.OnImportDesktopLinksClicked();
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list[0].name, "mail");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "名称 mail 已经存在");
  EXPECT_EQ(pageShown, 1);

  boxes.shown.clear();
  boxes.answer = kIdYes;
  desktop.OnDeleteDesktopLinksClicked();
  EXPECT_FALSE(Exists(user + "\\Mail.lnk"));
  EXPECT_TRUE(Exists(user + "\\notes.txt"));
  EXPECT_TRUE(Exists(common + "\\Mail.lnk"));
}

}  // namespace
}  // namespace tovr::shortcuts
