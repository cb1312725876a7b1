// Starting targets by kind, and the double-click in the list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeAppPorts.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeShellExecute.h"
#include "fakes/MemoryFileSystem.h"
#include "shortcuts/ShortcutLauncher.h"
#include "shortcuts/ShortcutList.h"

namespace tovr::shortcuts {
namespace {

class ShortcutLauncherTest : public ::testing::Test {
 protected:
  ShortcutLauncherTest() {
    fs.SetFile("C:\\Tools\\x.exe", "");
    fs.SetFile("C:x.exe", "");
    fs.SetFile("C:\\Docs\\报告.txt", "");
    fs.AddDirectory("D:\\Data\\Photos");
    fs.AddDirectory("E:\\");
  }
  // "verb|file|parameters|directory|show" of each shell request.
  std::vector<std::string> Calls() const {
    std::vector<std::string> out;
    for (const auto& c : shell.calls) {
      out.push_back(c.verb + "|" + c.file + "|" + c.parameters + "|" + c.directory + "|" +
                    std::to_string(c.show));
    }
    return out;
  }

  MemoryFileSystem fs;
  FakeShellExecute shell;
  FakeMessageBox boxes;
  FakeShellIcons icons;
  FakeShellLinks links;
  ShortcutLauncher launcher{fs, shell, boxes};
};

TEST_F(ShortcutLauncherTest, RunTargetByKind) {
  struct Case {
    const char* target;
    const char* expected;  // the shell request, or "" for the missing-target warning
  };
  const Case cases[] = {
      {"http://www.tovrane.example/", "open|http://www.tovrane.example/|||10"},
      {"mailto://x@tovrane.example", "open|mailto://x@tovrane.example|||10"},
      {"C:\\Tools\\x.exe", "open|C:\\Tools\\x.exe||C:\\Tools\\|10"},
      {"C:x.exe", "open|C:x.exe||C:|10"},
      {"C:\\Docs\\报告.txt", "open|C:\\Docs\\报告.txt||C:\\Docs\\|10"},
      {"D:\\Data\\Photos", "explore|D:\\Data\\Photos||D:\\Data\\|10"},
      {"E:\\", "explore|E:\\||E:\\|10"},
      {"C:\\Tools\\gone.exe", ""},
      {"", ""},
      {"www.tovrane.example", ""},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].target);
    shell.calls.clear();
    boxes.shown.clear();
    launcher.RunTarget(cases[i].target);
    if (*cases[i].expected) {
      EXPECT_EQ(Calls(), std::vector<std::string>{cases[i].expected});
      EXPECT_TRUE(boxes.shown.empty());
    } else {
      EXPECT_TRUE(shell.calls.empty());
      ASSERT_EQ(boxes.shown.size(), 1u);
      EXPECT_EQ(boxes.shown[0].text, "目标不存在，请检查后再运行。");
      EXPECT_EQ(boxes.shown[0].caption, "错误");
      EXPECT_EQ(boxes.shown[0].flags, 4144u);
    }
  }
}

TEST_F(ShortcutLauncherTest, ShellFailureIsNotReported) {
  shell.result = false;
  launcher.RunTarget("nosuchscheme://x");
  EXPECT_EQ(shell.calls.size(), 1u);
  EXPECT_TRUE(boxes.shown.empty());
}

class ShortcutRowDoubleClickTest : public ShortcutLauncherTest {
 protected:
  ShortcutRowDoubleClickTest() {
    EXPECT_TRUE(list.AddShortcut("", "C:\\Tools\\x.exe", true));
    EXPECT_TRUE(list.AddShortcut("site", "http://site.example/", false));
    EXPECT_TRUE(list.AddShortcut("", "D:\\Data\\Photos", true));
  }
  ShortcutList list{ShortcutPorts{fs, icons, links, boxes}};
};

TEST_F(ShortcutRowDoubleClickTest, NothingHappensWithoutASelectedRow) {
  list.ClearSelection();
  launcher.OnShortcutRowDoubleClicked(list);
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ShortcutRowDoubleClickTest, RunsTheFirstSelectedRow) {
  list.ClearSelection();
  list.SetSelected(2, true);
  list.SetSelected(1, true);
  launcher.OnShortcutRowDoubleClicked(list);
  EXPECT_EQ(Calls(), std::vector<std::string>{"open|http://site.example/|||10"});
}

TEST_F(ShortcutRowDoubleClickTest, FileDeletedAfterAddingShowsTheMissingTargetMessage) {
  ASSERT_EQ(list[0].typeText, "文件");
  ASSERT_TRUE(fs.RemoveFile("C:\\Tools\\x.exe"));
  list.SelectOnly(0);
  launcher.OnShortcutRowDoubleClicked(list);
  EXPECT_TRUE(shell.calls.empty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "目标不存在，请检查后再运行。");
  EXPECT_EQ(list[0].typeText, "文件");  // the row itself is not re-classified
}

}  // namespace
}  // namespace tovr::shortcuts
