#include "shortcuts/DesktopShortcuts.h"

#include <gtest/gtest.h>

#include "fakes/FakeAppPorts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeShell.h"
#include "fakes/MemoryFileSystem.h"
#include "support/ErrorOf.h"

namespace tovr::shortcuts {
namespace {

constexpr char kUser[] = "C:\\Users\\me\\Desktop";
constexpr char kCommon[] = "C:\\Users\\Public\\Desktop";

class DesktopShortcutsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUserDesktop(RegValue::FromString(kUser));
    SetCommonDesktop(RegValue::FromString(kCommon));
    fs.SetFile("C:\\Apps\\mail.exe", "x");
    fs.SetFile("C:\\Apps\\calc.exe", "x");
    fs.AddDirectory("D:\\Docs");
    list.OnChange = [this] { ++changes; };
  }
  void SetUserDesktop(const RegValue& v) {
    reg.Put(RegRoot::CurrentUser, kUserShellFoldersKey, kUserDesktopValue, v);
  }
  void SetCommonDesktop(const RegValue& v) {
    reg.Put(RegRoot::LocalMachine, kCommonShellFoldersKey, kCommonDesktopValue, v);
  }
  // A link file on a desktop pointing at `target`.
  void PutLink(const std::string& folder, const std::string& file, const std::string& target) {
    fs.SetFile(folder + "\\" + file, "L");
    links.Set(folder + "\\" + file, target);
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      out.push_back(list[i].name + ">" + list[i].target + ":" + list[i].typeText);
    }
    return out;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& s : boxes.shown) out.push_back(s.text);
    return out;
  }

  FakeRegistry reg;
  MemoryFileSystem fs;
  FakeShellIcons icons;
  FakeShellLinks links;
  FakeMessageBox boxes;
  ShortcutList list{ShortcutPorts{fs, icons, links, boxes}};
  int pageShown = 0;
  int changes = 0;
  DesktopShortcuts desktop{list, reg, [this] { ++pageShown; }};
};

TEST_F(DesktopShortcutsTest, ImportTakesTheUserDesktopFirstRefusesDuplicatesAndSorts) {
  ASSERT_TRUE(list.AddShortcut("Rechner", "C:\\Apps\\calc.exe", false));
  PutLink(kUser, "Mail.lnk", "C:\\Apps\\mail.exe");
  PutLink(kUser, "readme.lnk.txt", "C:\\Apps\\mail.exe");  // not a link file: never read
  PutLink(kCommon, "Mail.lnk", "C:\\Apps\\mail.exe");      // same target: name taken
  PutLink(kCommon, "Docs.lnk", "D:\\Docs");
  PutLink(kCommon, "Calc.lnk", "C:\\Apps\\calc.exe");      // target listed as Rechner
  PutLink("C:\\Elsewhere", "Other.lnk", "C:\\Apps\\other.exe");

  desktop.OnImportDesktopLinksClicked();

  // By name, then by type text: the files before the folder.
  EXPECT_EQ(Rows(), (std::vector<std::string>{"mail>C:\\Apps\\mail.exe:文件",
                                              "Rechner>C:\\Apps\\calc.exe:文件", "Docs>D:\\Docs:文件夹"}));
  ASSERT_FALSE(links.resolved.empty());
  EXPECT_EQ(links.resolved.front(), std::string(kUser) + "\\Mail.lnk");
  for (const std::string& path : links.resolved) {
    EXPECT_TRUE(path.starts_with(kUser) || path.starts_with(kCommon)) << path;
    EXPECT_TRUE(IsShellLinkPath(path)) << path;
  }
  EXPECT_EQ(links.resolved.size(), 4u);
  // The all-users desktop in the order the search gives: Calc, Docs, Mail.
  EXPECT_EQ(Texts(), (std::vector<std::string>{"目标 C:\\Apps\\calc.exe 已经存在", "名称 mail 已经存在"}));
  EXPECT_EQ(pageShown, 1);
  EXPECT_GT(changes, 0);

  // A second import refuses every link again, by its name.
  boxes.shown.clear();
  desktop.OnImportDesktopLinksClicked();
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"名称 mail 已经存在", "目标 C:\\Apps\\calc.exe 已经存在",
                                               "名称 Docs 已经存在", "名称 mail 已经存在"}));
  EXPECT_EQ(pageShown, 2);
}

TEST_F(DesktopShortcutsTest, ImportOfEmptyDesktopsStillShowsTheShortcutPage) {
  fs.AddDirectory(kUser);
  desktop.OnImportDesktopLinksClicked();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(pageShown, 1);
}

TEST_F(DesktopShortcutsTest, UnreadableLinkEndsTheImportKeepingEarlierRows) {
  PutLink(kUser, "Mail.lnk", "C:\\Apps\\mail.exe");
  fs.SetFile(std::string(kCommon) + "\\Broken.lnk", "?");  // the shell cannot load it
  PutLink(kCommon, "Zcalc.lnk", "C:\\Apps\\calc.exe");
  EXPECT_THROW(desktop.OnImportDesktopLinksClicked(), Error);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"mail>C:\\Apps\\mail.exe:文件"}));
  EXPECT_EQ(pageShown, 0);
}

TEST_F(DesktopShortcutsTest, DeleteAllAsksAndDeletesOnlyTheUserDesktopsLinks) {
  for (int answer : {kIdNo, kIdYes}) {
    SCOPED_TRACE(answer == kIdYes ? "Yes" : "No");
    boxes.shown.clear();
    boxes.answer = answer;
    PutLink(kUser, "Mail.lnk", "C:\\Apps\\mail.exe");
    PutLink(kUser, "b.LNK", "C:\\Apps\\calc.exe");
    fs.SetFile(std::string(kUser) + "\\notes.txt", "n");
    fs.SetFile(std::string(kUser) + "\\a.lnkx", "n");
    PutLink(kCommon, "Docs.lnk", "D:\\Docs");
    PutLink("C:\\Users\\me", "Outside.lnk", "D:\\Docs");

    desktop.OnDeleteDesktopLinksClicked();

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "确定要删除桌面上的所有快捷方式吗？");
    EXPECT_EQ(boxes.shown[0].caption, "确认");
    EXPECT_EQ(boxes.shown[0].flags, 4388u);
    const bool yes = answer == kIdYes;
    EXPECT_EQ(fs.FileExists(std::string(kUser) + "\\Mail.lnk"), !yes);
    EXPECT_EQ(fs.FileExists(std::string(kUser) + "\\b.LNK"), !yes);
    EXPECT_TRUE(fs.FileExists(std::string(kUser) + "\\notes.txt"));
    EXPECT_TRUE(fs.FileExists(std::string(kUser) + "\\a.lnkx"));
    EXPECT_TRUE(fs.FileExists(std::string(kCommon) + "\\Docs.lnk"));
    EXPECT_TRUE(fs.FileExists("C:\\Users\\me\\Outside.lnk"));
  }
  EXPECT_EQ(list.Count(), 0u);
}

TEST_F(DesktopShortcutsTest, DeleteAllSkipsFilesThatCannotBeDeleted) {
  boxes.answer = kIdYes;
  PutLink(kUser, "a.lnk", "C:\\Apps\\mail.exe");
  PutLink(kUser, "b.lnk", "C:\\Apps\\mail.exe");
  PutLink(kUser, "c.lnk", "C:\\Apps\\mail.exe");
  fs.SetReadOnly(std::string(kUser) + "\\b.lnk");
  desktop.OnDeleteDesktopLinksClicked();
  EXPECT_FALSE(fs.FileExists(std::string(kUser) + "\\a.lnk"));
  EXPECT_TRUE(fs.FileExists(std::string(kUser) + "\\b.lnk"));
  EXPECT_FALSE(fs.FileExists(std::string(kUser) + "\\c.lnk"));
  EXPECT_EQ(boxes.shown.size(), 1u);  // the question only
}

TEST_F(DesktopShortcutsTest, ExportWritesOneLinkPerRowAndSkipsUnsafeNames) {
  ASSERT_TRUE(list.AddShortcut("Mail", "C:\\Apps\\mail.exe", false));
  ASSERT_TRUE(list.AddShortcut("..\\x", "C:\\Apps\\calc.exe", false));
  ASSERT_TRUE(list.AddShortcut("a\\b", "C:\\Apps\\b.exe", false));
  ASSERT_TRUE(list.AddShortcut("CON", "C:\\Apps\\con.exe", false));
  ASSERT_TRUE(list.AddShortcut("Site", "http://example.com/", false));
  ASSERT_TRUE(list.AddShortcut("Docs", "D:\\Docs", false));
  const std::string dir = kCommon;

  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    links.written.clear();
    desktop.OnExportDesktopLinksClicked();
    ASSERT_EQ(links.written.size(), 3u);
    const std::pair<std::string, std::string> expected[] = {
        {"Mail", "C:\\Apps\\mail.exe"}, {"Site", "http://example.com/"}, {"Docs", "D:\\Docs"}};
    for (std::size_t i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      const auto& w = links.written[i];
      EXPECT_EQ(w.target, expected[i].second);
      EXPECT_EQ(w.linkPath, dir + "\\" + expected[i].first + ".lnk");
      EXPECT_EQ(w.workDir, dir);
      EXPECT_EQ(w.description, expected[i].first + " [Tovrane创建]");
    }
  }
  EXPECT_TRUE(boxes.shown.empty());

  links.failWrites = true;  // a link that cannot be written is skipped without a message
  desktop.OnExportDesktopLinksClicked();
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(DesktopLinkNameTest, OnlyPlainFileNamesAreSafe) {
  struct Case {
    const char* name;
    bool safe;
  };
  const Case cases[] = {
      {"Mail", true},        {"我的 文档", true},   {"a.b", true},      {"COM10", true},
      {"CONSOLE", true},     {"LPT0", true},        {"Nullsoft", true}, {"", false},
      {"..\\x", false},      {"a\\b", false},       {"a/b", false},     {"C:x", false},
      {"..", false},         {"a..b", false},       {"CON", false},     {"con.txt", false},
      {"Nul ", false},       {"nul .x", false},     {"COM1", false},    {"lpt9.doc", false},
      {"PRN", false},        {"aux", false},        {"a*b", false},     {"a?b", false},
      {"a<b", false},        {"a|b", false},        {"a\"b", false},    {"a\tb", false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(IsSafeLinkName(cases[i].name), cases[i].safe) << "case " << i << ": " << cases[i].name;
  }
}

TEST_F(DesktopShortcutsTest, UndeterminedDesktopTouchesNoFileOfItAndSaysWhy) {
  struct Case {
    const char* what;
    bool user;  // the user's folder is the unknown one (else the all-users folder)
    std::optional<RegValue> value;  // nullopt: the value is missing
    bool keyMissing = false;        // the whole key is missing: it cannot be opened
  };
  const Case cases[] = {
      {"user missing", true, std::nullopt},
      {"user empty", true, RegValue::FromString("")},
      {"user relative", true, RegValue::FromString("Desktop")},
      {"user not a string", true, RegValue::FromDword(1)},
      {"user key missing", true, std::nullopt, true},
      {"common missing", false, std::nullopt},
      {"common empty", false, RegValue::FromString("")},
      {"common key missing", false, std::nullopt, true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::string("case ") + std::to_string(i) + ": " + c.what);
    FakeRegistry r;
    const char* key = c.user ? kUserShellFoldersKey : kCommonShellFoldersKey;
    const RegRoot root = c.user ? RegRoot::CurrentUser : RegRoot::LocalMachine;
    const char* value = c.user ? kUserDesktopValue : kCommonDesktopValue;
    r.Put(RegRoot::CurrentUser, kUserShellFoldersKey, kUserDesktopValue, RegValue::FromString(kUser));
    r.Put(RegRoot::LocalMachine, kCommonShellFoldersKey, kCommonDesktopValue,
          RegValue::FromString(kCommon));
    if (c.keyMissing) {
      r.DeleteKey(root, key);
    } else if (c.value) {
      r.Put(root, key, value, *c.value);
    } else {
      r.Open(root, key, RegOpen::Existing)->DeleteValue(value);
    }
    MemoryFileSystem files;
    FakeShellLinks l;
    FakeMessageBox b;
    b.answer = kIdYes;
    ShortcutList rows{ShortcutPorts{files, icons, l, b}};
    ASSERT_TRUE(rows.AddShortcut("Mail", "C:\\Apps\\mail.exe", false));
    for (const char* dir : {kUser, kCommon, "C:\\Windows\\system32", "Desktop"}) {
      files.SetFile(std::string(dir) + "\\x.lnk", "L");
      l.Set(std::string(dir) + "\\x.lnk", "C:\\Apps\\calc.exe");
    }
    int shown = 0;
    DesktopShortcuts d{rows, r, [&] { ++shown; }};

    const std::string keyName =
        std::string(c.user ? "HKEY_CURRENT_USER\\Software" : "HKEY_LOCAL_MACHINE\\SOFTWARE") +
        "\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const std::string why =
        c.keyMissing ? "无法确定桌面文件夹：无法打开注册表项“" + keyName + "”。"
                     : std::string("无法确定桌面文件夹：注册表中的“") + value + "”值不存在或为空。";
    const std::string stop = why + "未对任何文件进行操作。";
    d.OnImportDesktopLinksClicked();
    d.OnDeleteDesktopLinksClicked();
    d.OnExportDesktopLinksClicked();
    std::vector<std::string> texts;
    for (const auto& s : b.shown) texts.push_back(s.text);
    // Without the user's folder the import and the delete stop; without the all-users folder
    // the import takes the user's desktop only and the export stops.
    const std::vector<std::string> expected =
        c.user ? std::vector<std::string>{stop, stop}
               : std::vector<std::string>{why + "只导入当前用户桌面上的快捷方式。",
                                          kDeleteAllQuestion, stop};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(l.resolved, c.user ? std::vector<std::string>{}
                                 : std::vector<std::string>{std::string(kUser) + "\\x.lnk"});
    EXPECT_EQ(rows.Count(), c.user ? 1u : 2u);
    EXPECT_EQ(shown, c.user ? 0 : 1);
    if (c.user) {
      ASSERT_EQ(l.written.size(), 1u);
      EXPECT_EQ(l.written[0].linkPath, std::string(kCommon) + "\\Mail.lnk");
    } else {
      EXPECT_TRUE(l.written.empty());
    }
    EXPECT_TRUE(files.FileExists(std::string(kCommon) + "\\x.lnk"));
    EXPECT_TRUE(files.FileExists("C:\\Windows\\system32\\x.lnk"));
    EXPECT_TRUE(files.FileExists("Desktop\\x.lnk"));
    // With the user's folder known (the all-users cases), Yes deleted its links only.
    EXPECT_EQ(files.FileExists(std::string(kUser) + "\\x.lnk"), c.user);
  }
}

TEST_F(DesktopShortcutsTest, FolderValuesAreReadEachTimeAndTrailingSeparatorsDropped) {
  EXPECT_EQ(desktop.UserDesktop().path, std::optional<std::string>(kUser));
  SetUserDesktop(RegValue::FromString("D:\\Desk\\\\", RegType::ExpandString));
  EXPECT_EQ(desktop.UserDesktop().path, std::optional<std::string>("D:\\Desk"));
  SetCommonDesktop(RegValue::FromString("E:\\"));
  EXPECT_EQ(desktop.CommonDesktop().path, std::optional<std::string>("E:\\"));
  ASSERT_TRUE(list.AddShortcut("Mail", "C:\\Apps\\mail.exe", false));
  desktop.OnExportDesktopLinksClicked();
  ASSERT_EQ(links.written.size(), 1u);
  EXPECT_EQ(links.written[0].linkPath, "E:\\Mail.lnk");
  SetCommonDesktop(RegValue::FromString("\\\\server\\share\\Desktop"));
  EXPECT_EQ(desktop.CommonDesktop().path, std::optional<std::string>("\\\\server\\share\\Desktop"));
}

// A user without administrator rights: the machine's "Shell Folders" key is read with read
// access (asking for more failed and hid even the user's own desktop); an export into the
// all-users desktop, which such a user may not write, says why once and tries no more links.
TEST_F(DesktopShortcutsTest, StandardUserReadsBothDesktopsAndARefusedExportSaysWhyOnce) {
  reg.DenyAsStandardUser();
  PutLink(kUser, "Mail.lnk", "C:\\Apps\\mail.exe");
  PutLink(kCommon, "Calc.lnk", "C:\\Apps\\calc.exe");
  desktop.OnImportDesktopLinksClicked();
  EXPECT_EQ(list.Count(), 2u);
  EXPECT_TRUE(boxes.shown.empty());
  links.denyWrites = true;
  EXPECT_EQ(testing::ErrorOf([&] { desktop.OnExportDesktopLinksClicked(); }), "拒绝访问。");
  EXPECT_EQ(links.attempts, 1);
}

}  // namespace
}  // namespace tovr::shortcuts
