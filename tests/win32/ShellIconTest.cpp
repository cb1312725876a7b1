// The small-icon adapter gives the same index as the system's own SHGetFileInfo for a file, a
// folder and a program, and the index lies in the system small-icon list; by type alone the
// file and the folder get the same icons; the drive of the temporary folder is fixed. (Wine fills that
// list lazily: it starts with three icons and grows as paths are asked for.)
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "base/win32/Wide.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ShellIcons.h"

namespace tovr::shortcuts::win32 {
namespace {

TEST(ShellIconTest, IndexesAreTheSystemsForAFileAFolderAndAProgram) {
  wchar_t temp[MAX_PATH], exe[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::string folder = Narrow(temp) + "tovr-icon-" + std::to_string(GetCurrentProcessId());
  const std::string file = folder + "\\note.txt";
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  HANDLE h = CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);

  SHFILEINFOW probe{};
  const auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
      L"C:\\", 0, &probe, sizeof probe, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(list, nullptr);

  Win32ShellIcons icons;
  const std::string paths[] = {file, folder, Narrow(exe)};
  int got[3] = {};
  for (std::size_t i = 0; i < std::size(paths); ++i) {
    SHFILEINFOW info{};
    ASSERT_NE(SHGetFileInfoW(Widen(paths[i]).c_str(), 0, &info, sizeof info,
                             SHGFI_SYSICONINDEX | SHGFI_SMALLICON),
              0u) << "case " << i;
    got[i] = icons.ShellIconIndex(paths[i]);
    EXPECT_EQ(got[i], info.iIcon) << "case " << i << " " << paths[i];
    EXPECT_GE(got[i], 0) << "case " << i;
    EXPECT_LT(got[i], ImageList_GetImageCount(list)) << "case " << i;
  }
  EXPECT_NE(got[0], got[1]) << "a document and a folder show different icons";
  // By type alone, for places never looked at: the same icons, from the name only.
  EXPECT_EQ(icons.TypeIconIndex("\\\\192.0.2.1\\share\\report.txt", false), got[0]);
  EXPECT_EQ(icons.TypeIconIndex("\\\\192.0.2.1\\share\\Docs", true), got[1]);
  // The system disk is a fixed drive; a letter without a drive is not.
  Win32FileSystem files;
  EXPECT_TRUE(OnLocalFixedDrive(files, file));
  EXPECT_FALSE(files.FixedDrive('Q'));
  DeleteFileW(Widen(file).c_str());
  RemoveDirectoryW(Widen(folder).c_str());
}

}  // namespace
}  // namespace tovr::shortcuts::win32
