// The shortcut list: classification, naming, the uniqueness check, order, rename, notification.
#include "shortcuts/ShortcutList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/Error.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeShell.h"
#include "fakes/MemoryFileSystem.h"

namespace tovr::shortcuts {
namespace {

class ShortcutListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.SetFile("C:\\Tools\\my.tool.exe", "x");
    fs.SetFile("C:\\Tools\\make", "x");
    fs.SetFile("C:\\Tools\\x.exe", "x");
    fs.AddDirectory("D:\\Data\\Photos");
    fs.AddDirectory("C:\\Data\\ftp://mirror");
    icons.Set("C:\\Tools\\my.tool.exe", 21);
    icons.Set("D:\\Data\\Photos", 4);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.Count(); ++i) out.push_back(list[i].name);
    return out;
  }
  std::string LastMessage() const { return boxes.shown.empty() ? "" : boxes.shown.back().text; }

  MemoryFileSystem fs;
  FakeShellIcons icons;
  FakeShellLinks links;
  FakeMessageBox boxes;
  ShortcutList list{ShortcutPorts{fs, icons, links, boxes}};
};

TEST_F(ShortcutListTest, ClassifiesFileBeforeFolderBeforeAddress) {
  struct Case {
    const char* target;
    TargetKind kind;
  } cases[] = {
      {"C:\\Tools\\x.exe", TargetKind::File},
      {"D:\\Data\\Photos", TargetKind::Folder},
      {"C:\\Data\\ftp://mirror", TargetKind::Folder},  // an existing folder wins over "://"
      {"http://example.com/", TargetKind::Url},
      {"C:\\Tools\\gone.exe", TargetKind::Missing},
      {"", TargetKind::Missing},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(TargetKindOf(fs, cases[i].target), cases[i].kind) << "case " << i;
  }
}

TEST_F(ShortcutListTest, AddNamesEachKindAndGivesItsTypeAndIcon) {
  struct Case {
    const char* name;
    const char* target;
    bool derive;
    ShortcutEntry want;
  } cases[] = {
      {"", "C:\\Tools\\my.tool.exe", true, {"my", "C:\\Tools\\my.tool.exe", "文件", 21}},
      {"", "C:\\Tools\\make", true, {"", "C:\\Tools\\make", "文件", 7}},
      {"", "D:\\Data\\Photos", true, {"Photos", "D:\\Data\\Photos", "文件夹", 4}},
      {"", "C:\\Data\\ftp://mirror", true, {"ftp://mirror", "C:\\Data\\ftp://mirror", "文件夹", 7}},
      {"新闻", "http://news.example/", true, {"新闻", "http://news.example/", "网址", 0}},
      {"Gone", "C:\\Old\\gone.exe", false, {"Gone", "C:\\Old\\gone.exe", "不存在", 3}},
      {"Tool", "C:\\Tools\\x.exe", false, {"Tool", "C:\\Tools\\x.exe", "文件", 7}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    list.Clear();
    ASSERT_TRUE(list.AddShortcut(cases[i].name, cases[i].target, cases[i].derive)) << "case " << i;
    EXPECT_EQ(list[0], cases[i].want) << "case " << i;
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ShortcutListTest, TargetsOffTheLocalDisksAreNeverLookedAt) {
  // Where a path is: shares in any spelling, network drives in either case; no drive is local.
  fs.SetNetworkDrive('N');
  const std::pair<const char*, bool> places[] = {
      {"\\\\srv\\s\\a.exe", false}, {"//srv/s/a.exe", false},     {"\\\\?\\UNC\\srv\\s\\a", false},
      {"\\\\?\\n:\\a", false},        {"n:\\a.exe", false},          {"N:", false},
      {"\\\\?\\C:\\a", true},         {"C:\\Tools\\x.exe", true},   {"x.exe", true},
      {"\\Windows", true},              {"", true},
  };
  for (const auto& [path, local] : places) EXPECT_EQ(OnLocalFixedDrive(fs, path), local) << path;

  // The list takes the kind from the text and the icon from the type.
  const ShortcutEntry want[] = {
      {"tool", "\\\\192.0.2.1\\share\\tool.exe", "文件", FakeShellIcons::kTypeFileIndex},
      {"Docs", "N:\\Docs", "文件夹", FakeShellIcons::kTypeFileIndex + 1},
      {"Wiki", "\\\\192.0.2.1\\wiki\\http://x", "网址", kUrlIconIndex},
  };
  for (const ShortcutEntry& e : want) ASSERT_TRUE(list.AddShortcut(e.name == "Wiki" ? e.name : "", e.target, true));
  EXPECT_EQ(list.Entries(), std::vector<ShortcutEntry>(std::begin(want), std::end(want)));
  EXPECT_EQ(fs.NetworkLooks(), 0);
  EXPECT_EQ(icons.calls, 0);
}

TEST_F(ShortcutListTest, DerivedNamesOfFoldersAndFiles) {
  EXPECT_EQ(DerivedName(TargetKind::Folder, "D:\\Data\\"), "");
  EXPECT_EQ(DerivedName(TargetKind::Folder, "Photos"), "Photos");
  EXPECT_EQ(DerivedName(TargetKind::File, "C:a.b.exe"), "a");
  EXPECT_EQ(DerivedName(TargetKind::File, "C:\\文件\\报告.doc"), "报告");
}

TEST_F(ShortcutListTest, TakenIgnoresAsciiCaseOnlyAndTheFirstRowDecides) {
  ASSERT_TRUE(list.AddShortcut("A", "x", false));
  ASSERT_TRUE(list.AddShortcut("B", "y", false));
  struct Case {
    const char* name;
    const char* target;
    const char* message;  // "" when accepted
  } cases[] = {
      {"B", "x", "目标 x 已经存在"},   // row 1 matches by target before row 2 by name
      {"a", "y", "名称 a 已经存在"},   // row 1 by name first
      {"b", "z", "名称 b 已经存在"},
      {"C", "X", "目标 X 已经存在"},
      {"A", "x", "名称 A 已经存在"},   // one row: the name is tested first
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    boxes.shown.clear();
    EXPECT_FALSE(list.AddShortcut(cases[i].name, cases[i].target, false)) << "case " << i;
    ASSERT_EQ(boxes.shown.size(), 1u) << "case " << i;
    EXPECT_EQ(boxes.shown[0].text, cases[i].message) << "case " << i;
    EXPECT_EQ(boxes.shown[0].caption, "错误") << "case " << i;
    EXPECT_EQ(boxes.shown[0].flags, 4160u) << "case " << i;
  }
  EXPECT_EQ(list.Count(), 2u);
  // Only ASCII letters fold: a name differing in a Chinese character is another name.
  ASSERT_TRUE(list.AddShortcut("文档", "p", false));
  EXPECT_TRUE(list.AddShortcut("文件", "q", false));
}

TEST_F(ShortcutListTest, TheIndexFollowsRemovalsAndChanges) {
  ASSERT_TRUE(list.AddShortcut("A", "x", false));
  ASSERT_TRUE(list.AddShortcut("B", "y", false));
  list.Remove(0);
  EXPECT_TRUE(list.AddShortcut("a", "X", false));  // freed by the removal
  list.SetName(0, "Bee");
  list.SetTarget(0, "why");
  EXPECT_TRUE(list.AddShortcut("b", "y", false));
  EXPECT_FALSE(list.AddShortcut("BEE", "q", false));
  EXPECT_EQ(LastMessage(), "名称 BEE 已经存在");
  EXPECT_FALSE(list.AddShortcut("q", "WHY", false));
  EXPECT_EQ(LastMessage(), "目标 WHY 已经存在");
  list.Clear();
  EXPECT_TRUE(list.AddShortcut("Bee", "why", false));
}

TEST_F(ShortcutListTest, NamesThatCannotBeKeysAreRefusedWhereGiven) {
  const char* bad[] = {"", "a=b", " a", "a ", "[x]", ";x", "a\nb", "a\tb"};
  for (std::size_t i = 0; i < std::size(bad); ++i) {
    boxes.shown.clear();
    EXPECT_FALSE(list.AddShortcut(bad[i], "http://e.example/" + std::to_string(i), false)) << i;
    ASSERT_EQ(boxes.shown.size(), 1u) << "case " << i;
    EXPECT_NE(boxes.shown[0].text.find("无法保存"), std::string::npos) << "case " << i;
  }
  // A web address takes the given name even when deriving.
  EXPECT_FALSE(list.AddShortcut("", "http://e.example/", true));
  // A derived name is checked too: a folder "[Games]" would write a section line.
  fs.AddDirectory("C:\\[Games]");
  EXPECT_FALSE(list.AddShortcut("", "C:\\[Games]", true));
  // A name derived empty stays as it always was.
  EXPECT_TRUE(list.AddShortcut("", "C:\\nowhere", true));
  EXPECT_EQ(list[0].name, "");
  EXPECT_EQ(list.Count(), 1u);
}

TEST_F(ShortcutListTest, LinksAreResolvedAndNamedFromTheirTarget) {
  links.Set("C:\\Desk\\Tool.LNK", "C:\\Tools\\my.tool.exe");
  links.Set("C:\\Desk\\Printers.lnk", "");
  ASSERT_TRUE(list.AddShortcut("", "C:\\Desk\\Tool.LNK", true));
  EXPECT_EQ(list[0], (ShortcutEntry{"my", "C:\\Tools\\my.tool.exe", "文件", 21}));
  ASSERT_TRUE(list.AddShortcut("Kept", "C:\\Desk\\Printers.lnk", false));
  EXPECT_EQ(list[1], (ShortcutEntry{"Kept", "", "不存在", 3}));
  // "C:\a.lnk\b" is not a link: the extension is taken in the last component only.
  EXPECT_FALSE(IsShellLinkPath("C:\\a.lnk\\b"));
  EXPECT_THROW(list.AddShortcut("", "C:\\Desk\\broken.lnk", true), Error);
  EXPECT_EQ(list.Count(), 2u);
}

TEST_F(ShortcutListTest, SortGroupsByTypeThenNameAndIsStable) {
  fs.SetFile("C:\\f\\b.exe", "x");
  fs.SetFile("C:\\f\\A.exe", "x");
  fs.AddDirectory("C:\\d\\z");
  const std::pair<const char*, const char*> rows[] = {
      {"b", "C:\\f\\b.exe"}, {"z", "C:\\d\\z"},     {"web2", "http://2"}, {"gone", "C:\\g1"},
      {"A", "C:\\f\\A.exe"}, {"Web1", "http://1"}, {"_u", "http://3"},  {"Dead", "C:\\g2"}};
  for (const auto& [name, target] : rows) ASSERT_TRUE(list.AddShortcut(name, target, false));
  list.SortShortcuts();
  EXPECT_EQ(list.SortColumn(), 2);
  // a-z compare as A-Z, so letters sort before "_" (0x5F).
  EXPECT_EQ(Names(), (std::vector<std::string>{"Dead", "gone", "Web1", "web2", "_u", "A", "b", "z"}));
  list.OnShortcutColumnClicked(1);
  EXPECT_EQ(list[0].target, "C:\\d\\z");
  EXPECT_EQ(list[7].target, "http://3");
  const std::vector<std::string> once = Names();
  list.OnShortcutColumnClicked(1);
  EXPECT_EQ(Names(), once) << "a second click sorts ascending again";
}

TEST_F(ShortcutListTest, SortMatchesAStableSortOnTheTextOrder) {
  // Names sharing long starts (past 8 and 16 bytes), names that are the start of others, case
  // mixed, Chinese and ASCII mixed, in every type (whose equal texts keep their order).
  const char* names[] = {"快捷方式 工具 0002", "快捷方式 工具 0001", "Tool Box Number 10",
                         "tool box number 1",  "Tool Box Number 1a", "Tool Box Number",
                         "快捷方式",           "快捷方式 工具",      "a_b",
                         "A]b",                "Z",                  "Tool Box Number 1-"};
  const char* targets[] = {"C:\\f\\%d.exe", "C:\\d\\%d", "http://h/%d", "C:\\gone\\%d"};
  std::vector<ShortcutEntry> added;
  for (std::size_t i = 0; i < std::size(names) * 4; ++i) {
    char target[64];
    std::snprintf(target, sizeof target, targets[(i * 7) % 4], static_cast<int>(i));
    if ((i * 7) % 4 == 0) fs.SetFile(target, "x");
    if ((i * 7) % 4 == 1) fs.AddDirectory(target);
    std::string name = names[i % std::size(names)];
    if (i >= std::size(names)) name += "#" + std::to_string(i / std::size(names));
    ASSERT_TRUE(list.AddShortcut(name, target, false)) << "row " << i;
    added.push_back(list[list.Count() - 1]);
  }
  std::vector<ShortcutEntry> expected = added;
  std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
    return CompareShortcutText(a.name, b.name) < 0;
  });
  std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
    return CompareShortcutText(a.typeText, b.typeText) < 0;
  });
  list.SortShortcuts();
  EXPECT_EQ(list.Entries(), expected);
  for (int column = 0; column < 3; ++column) {
    std::vector<ShortcutEntry> byColumn = list.Entries();
    std::stable_sort(byColumn.begin(), byColumn.end(), [&](const auto& a, const auto& b) {
      const auto& x = column == 0 ? a.name : column == 1 ? a.target : a.typeText;
      const auto& y = column == 0 ? b.name : column == 1 ? b.target : b.typeText;
      return CompareShortcutText(x, y) < 0;
    });
    list.OnShortcutColumnClicked(column);
    EXPECT_EQ(list.Entries(), byColumn) << "column " << column;
  }
}

TEST_F(ShortcutListTest, ARefusedAddLeavesTheIndexAndShellAlone) {
  ASSERT_TRUE(list.AddShortcut("A", "C:\\Tools\\x.exe", false));
  const int iconCalls = icons.calls;
  struct Case {
    const char* name;
    const char* target;
    const char* message;
  } cases[] = {
      {"New", "c:\\tools\\X.EXE", "目标 c:\\tools\\X.EXE 已经存在"},
      {"a", "C:\\Tools\\make", "名称 a 已经存在"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_FALSE(list.AddShortcut(cases[i].name, cases[i].target, false)) << "case " << i;
    EXPECT_EQ(LastMessage(), cases[i].message) << "case " << i;
  }
  EXPECT_EQ(icons.calls, iconCalls) << "a refused row asks for no icon";
  // Neither refusal kept its other half: the name "New" and the target make are still free.
  EXPECT_TRUE(list.AddShortcut("New", "C:\\Tools\\make", false));
  EXPECT_EQ(list.Count(), 2u);
}

TEST_F(ShortcutListTest, TextOrderIsOnGbkBytesWithLettersFoldedUp) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"不存在", "网址", -1}, {"网址", "文件", -1}, {"文件", "文件夹", -1},
      {"abc", "ABC", 0},      {"ab", "abc", -1},    {"Z", "_", -1},
      {"a", "中", -1},        {"", "a", -1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const int c = CompareShortcutText(cases[i].a, cases[i].b);
    EXPECT_EQ((c > 0) - (c < 0), cases[i].sign) << "case " << i;
    const int r = CompareShortcutText(cases[i].b, cases[i].a);
    EXPECT_EQ((r > 0) - (r < 0), -cases[i].sign) << "case " << i << " reversed";
  }
}

TEST_F(ShortcutListTest, RenameInPlaceRefusesItsOwnNameAndSorts) {
  ASSERT_TRUE(list.AddShortcut("Mail", "http://m", false));
  ASSERT_TRUE(list.AddShortcut("News", "http://n", false));
  struct Case {
    std::size_t row;
    const char* newName;
    const char* message;  // "" when accepted
  } cases[] = {
      {0, "Mail", "名称 Mail 已经存在"},
      {0, "mail", "名称 mail 已经存在"},
      {0, "NEWS", "名称 NEWS 已经存在"},
      {0, "a=b", "无法保存"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    boxes.shown.clear();
    list.OnShortcutNameEdited(cases[i].row, cases[i].newName);
    ASSERT_EQ(boxes.shown.size(), 1u) << "case " << i;
    EXPECT_NE(boxes.shown[0].text.find(cases[i].message), std::string::npos) << "case " << i;
    EXPECT_EQ(Names(), (std::vector<std::string>{"Mail", "News"})) << "case " << i;
  }
  list.OnShortcutNameEdited(0, "Zed");
  EXPECT_EQ(Names(), (std::vector<std::string>{"News", "Zed"}));
  EXPECT_EQ(list.SortColumn(), 2);
}

TEST_F(ShortcutListTest, ModifyNamesMayNotCollideWithOtherRows) {
  ASSERT_TRUE(list.AddShortcut("Mail", "http://m", false));
  ASSERT_TRUE(list.AddShortcut("News", "http://n", false));
  EXPECT_TRUE(list.AcceptNameFor(0, "MAIL"));  // its own name in another case
  EXPECT_FALSE(list.AcceptNameFor(0, "news"));
  EXPECT_EQ(LastMessage(), "名称 news 已经存在");
  EXPECT_FALSE(list.AcceptNameFor(0, ";x"));
  list.Retarget(1, "D:\\Data\\Photos", TargetKind::Folder);
  EXPECT_EQ(list[1], (ShortcutEntry{"News", "D:\\Data\\Photos", "文件夹", 4}));
}

TEST_F(ShortcutListTest, EveryChangeButAReorderNotifies) {
  int changes = 0;
  std::vector<ListChange::Kind> kinds;
  list.OnChange = [&] { ++changes; };
  list.Changed = [&](const ListChange& c) { kinds.push_back(c.kind); };
  ASSERT_TRUE(list.AddShortcut("B", "http://b", false));
  ASSERT_TRUE(list.AddShortcut("A", "http://a", false));
  list.SelectOnly(1);
  list.SelectOnly(1);  // no change: no notification
  list.SortShortcuts();
  EXPECT_TRUE(list.Selected(0)) << "the selection moves with its row";
  list.SetName(0, "C");
  list.Remove(1);
  list.Clear();
  EXPECT_EQ(changes, 6);
  EXPECT_EQ(kinds, (std::vector<ListChange::Kind>{ListChange::Inserted, ListChange::Inserted,
                                                  ListChange::Selection, ListChange::Reordered,
                                                  ListChange::Updated, ListChange::Removed,
                                                  ListChange::Reset}));
}

}  // namespace
}  // namespace tovr::shortcuts
