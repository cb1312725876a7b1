#include "startup/CommandLine.h"

#include <gtest/gtest.h>

#include "fakes/FakeShell.h"
#include "fakes/FakeStartupSystem.h"
#include "fakes/MemoryFileSystem.h"

namespace tovr::startup {
namespace {

TEST(CommandLineTest, ExtractExePath) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"C:\\Program Files\\App\\app.exe\" /min", "C:\\Program Files\\App\\app.exe"},  // 0
      {"C:\\WINDOWS\\app.exe -s", "c:\\windows\\app.exe"},
      {"app.exe", "app.exe"},
      {"rundll32.exe shell32.dll,Foo", "rundll32.exe"},
      {"notepad", "not"},
      {"\"C:\\No End\\x.exe /s", ""},              // 5: a quote that is not closed
      {"  \"C:\\Lead\\A.exe\" -x ", "C:\\Lead\\A.exe"},  // blanks before the quote do not shift it
      {"程序目录.exe -q", "程序目录.exe"},           // characters, not bytes
      {"C:\\工具\\软件", "c:\\"},                      // no dot: three characters, none split
      {"", ""},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ExtractExePath(cases[i].first), cases[i].second) << "case " << i;
  }
}

TEST(CommandLineTest, IconOfTheCommandThenItsProgramThenTheSearchPathElseThree) {
  MemoryFileSystem fs;
  FakeShellIcons icons;
  FakeStartupSystem system;
  fs.SetFile("C:\\Tools\\whole name.exe", "x");
  fs.SetFile("c:\\tools\\run.exe", "x");
  icons.Set("C:\\Tools\\whole name.exe", 11);
  icons.Set("c:\\tools\\run.exe", 12);
  icons.Set("C:\\Windows\\notepad.exe", 13);
  icons.Set("C:\\Windows\\not", 14);
  system.Put("notepad.exe", "C:\\Windows\\notepad.exe");
  system.Put("not", "C:\\Windows\\not");
  const std::pair<const char*, int> cases[] = {
      {"C:\\Tools\\whole name.exe", 11},  // 0: the whole command is a file
      {"C:\\Tools\\RUN.exe -s", 12},      // its program is a file
      {"notepad.exe /p x.txt", 13},       // found along the search path
      {"notepad", 14},                    // "not" decides
      {"\"C:\\Tools\\run.exe", 3},        // 4: unclosed quote: no program
      {"gone.exe", 3},
      // A program on a share or a network drive: its type's icon, nothing looked at.
      {"\\\\192.0.2.1\\share\\agent.exe /min", FakeShellIcons::kTypeFileIndex},
      {"\"N:\\Sync\\sync.exe\" -q", FakeShellIcons::kTypeFileIndex},
  };
  fs.SetNetworkDrive('N');
  std::string path = "a longer path left from the command before: D:\\old\\path\\tool.exe";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(CommandIconIndex(cases[i].first, path, fs, icons, system), cases[i].second) << "case " << i;
  }
  EXPECT_EQ(fs.NetworkLooks(), 0);
  EXPECT_EQ(icons.typeLookups, (std::vector<std::string>{"\\\\192.0.2.1\\share\\agent.exe", "N:\\Sync\\sync.exe"}));
}

}  // namespace
}  // namespace tovr::startup
