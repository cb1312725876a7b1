// The file-system port against the real system calls, and the in-memory fake held to the
// same behaviour: every test runs on both.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ErrorOf.h"
#include "base/Error.h"
#include "base/win32/Wide.h"
#include "fakes/MemoryFileSystem.h"
#include "platform/win32/Win32FileSystem.h"

namespace tovr {
namespace {

// A fresh folder under the system's temporary directory, removed with its files afterwards.
struct RealBackend {
  Win32FileSystem fs;
  std::string root;

  RealBackend() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    root = Narrow(temp) + "tovr-fs-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++serial);
    CreateDirectoryW(Widen(root).c_str(), nullptr);
  }
  ~RealBackend() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(Widen(root)), ignored);
  }
  void MakeDirectory(const std::string& path) { CreateDirectoryW(Widen(path).c_str(), nullptr); }
  void SetReadOnly(const std::string& path, bool on) {
    SetFileAttributesW(Widen(path).c_str(), on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
  }
};

struct MemoryBackend {
  MemoryFileSystem fs;
  std::string root = "C:\\users\\test\\Temp\\tovr-fs";

  MemoryBackend() { fs.AddDirectory(root); }
  void MakeDirectory(const std::string& path) { fs.AddDirectory(path); }
  void SetReadOnly(const std::string& path, bool on) { fs.SetReadOnly(path, on); }
};

template <class Backend>
class FileSystemTest : public ::testing::Test {
 protected:
  std::string In(const std::string& name) const { return b_.root + "\\" + name; }
  // Every file in the folder: a temporary file left behind would show here.
  std::vector<std::string> AllFiles() { return b_.fs.ListFiles(b_.root, "*"); }
  std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  }
  Backend b_;
};

using Backends = ::testing::Types<RealBackend, MemoryBackend>;
TYPED_TEST_SUITE(FileSystemTest, Backends);

using tovr::testing::ErrorOf;

TYPED_TEST(FileSystemTest, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
  auto& fs = this->b_.fs;
  const std::string path = this->In("Config.ini");
  EXPECT_EQ(fs.ReadFile(path), std::nullopt);
  EXPECT_FALSE(fs.FileExists(path));
  const std::string contents[] = {std::string("old content, longer\r\n\0\xFF", 23), "new", ""};
  for (std::size_t i = 0; i < std::size(contents); ++i) {
    EXPECT_TRUE(fs.CheckWritable(path)) << "case " << i;
    fs.WriteFileAtomic(path, contents[i]);
    EXPECT_EQ(fs.ReadFile(path), contents[i]) << "case " << i;
    EXPECT_EQ(this->AllFiles(), std::vector<std::string>{"Config.ini"}) << "case " << i;
  }
  EXPECT_TRUE(fs.FileExists(path));
  EXPECT_FALSE(fs.DirectoryExists(path));
  EXPECT_TRUE(fs.DirectoryExists(this->b_.root));
}

TYPED_TEST(FileSystemTest, ReadOnlyFileRefusesWritesAndDeletion) {
  auto& fs = this->b_.fs;
  const std::string path = this->In("Config.ini");
  fs.WriteFileAtomic(path, "[Option]\r\n");
  this->b_.SetReadOnly(path, true);
  EXPECT_FALSE(fs.CheckWritable(path));
  EXPECT_EQ(ErrorOf([&] { fs.WriteFileAtomic(path, "x"); }), "Unable to write to " + path);
  EXPECT_FALSE(fs.RemoveFile(path));
  EXPECT_EQ(fs.ReadFile(path), "[Option]\r\n");
  EXPECT_EQ(this->AllFiles(), std::vector<std::string>{"Config.ini"});
  this->b_.SetReadOnly(path, false);
  EXPECT_TRUE(fs.CheckWritable(path));
}

TYPED_TEST(FileSystemTest, MissingFolderIsNotWritable) {
  auto& fs = this->b_.fs;
  const std::string path = this->In("missing\\Config.ini");
  EXPECT_FALSE(fs.DirectoryExists(this->In("missing")));
  EXPECT_EQ(fs.ReadFile(path), std::nullopt);
  EXPECT_FALSE(fs.CheckWritable(path));
  EXPECT_EQ(ErrorOf([&] { fs.WriteFileAtomic(path, "x"); }), "Unable to write to " + path);
  EXPECT_TRUE(fs.ListFiles(this->In("missing"), "*").empty());
}

TYPED_TEST(FileSystemTest, DirectoryInPlaceOfTheFile) {
  auto& fs = this->b_.fs;
  const std::string path = this->In("sub");
  this->b_.MakeDirectory(path);
  EXPECT_FALSE(fs.FileExists(path));
  EXPECT_TRUE(fs.DirectoryExists(path));
  EXPECT_FALSE(fs.CheckWritable(path));
  EXPECT_THROW(fs.WriteFileAtomic(path, "x"), Error);
  EXPECT_FALSE(fs.RemoveFile(path));
}

TYPED_TEST(FileSystemTest, ListFilesMatchesLongNamesOnlyAndSkipsDirectories) {
  auto& fs = this->b_.fs;
  for (const char* name : {"a.lnk", "B.LNK", "c.txt", "a.lnkx", "桌面 快捷.lnk"}) {
    fs.WriteFileAtomic(this->In(name), "x");
  }
  this->b_.MakeDirectory(this->In("d.lnk"));
  struct Case {
    const char* pattern;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"*.lnk", {"B.LNK", "a.lnk", "桌面 快捷.lnk"}},
      {"?.LNK", {"B.LNK", "a.lnk"}},
      {"*.*", {"B.LNK", "a.lnk", "a.lnkx", "c.txt", "桌面 快捷.lnk"}},
      {"桌面*", {"桌面 快捷.lnk"}},
      {"*.exe", {}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(this->Sorted(fs.ListFiles(this->b_.root, cases[i].pattern)), cases[i].want)
        << "case " << i << ": " << cases[i].pattern;
  }
}

TYPED_TEST(FileSystemTest, ChineseFileNamesAndDeletion) {
  auto& fs = this->b_.fs;
  const std::string path = this->In("设置 文件.ini");
  fs.WriteFileAtomic(path, "中");
  EXPECT_TRUE(fs.FileExists(path));
  EXPECT_EQ(fs.ReadFile(path), "中");
  EXPECT_EQ(fs.ListFiles(this->b_.root, "*.ini"), std::vector<std::string>{"设置 文件.ini"});
  EXPECT_TRUE(fs.RemoveFile(path));
  EXPECT_FALSE(fs.FileExists(path));
  EXPECT_FALSE(fs.RemoveFile(path));
}

TEST(Win32FileSystem, AtomicWriteKeepsHiddenAttribute) {
  RealBackend b;
  const std::string path = b.root + "\\hidden.ini";
  b.fs.WriteFileAtomic(path, "a");
  SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
  b.fs.WriteFileAtomic(path, "b");
  EXPECT_TRUE(GetFileAttributesW(Widen(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(b.fs.ReadFile(path), "b");
}

}  // namespace
}  // namespace tovr
