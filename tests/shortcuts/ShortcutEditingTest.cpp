#include "shortcuts/ShortcutEditing.h"

#include <gtest/gtest.h>

#include "fakes/FakeAppPorts.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeShellDialogs.h"
#include "fakes/MemoryFileSystem.h"

namespace tovr::shortcuts {
namespace {

class ShortcutEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.SetFile("C:\\Tools\\run.exe", "x");
    fs.SetFile("C:\\Tools\\new.tool.exe", "x");
    fs.SetFile("D:\\Docs\\note.txt", "x");
    fs.AddDirectory("D:\\Data\\Photos");
    icons.Set("C:\\Tools\\new.tool.exe", 21);
    icons.Set("D:\\Data\\Photos", 22);
    list.OnChange = [this] { ++changes; };
  }

  // Rows in list order as "name>target:type:icon".
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const ShortcutEntry& e = list[i];
      out.push_back(e.name + ">" + e.target + ":" + e.typeText + ":" + std::to_string(e.iconIndex));
    }
    return out;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.Count(); ++i) out.push_back(list[i].name);
    return out;
  }
  void Add(const std::string& name, const std::string& target) { ASSERT_TRUE(list.AddShortcut(name, target, false)); }

  MemoryFileSystem fs;
  FakeShellIcons icons;
  FakeShellLinks links;
  FakeMessageBox boxes;
  FakeShellDialogs dialogs;
  ShortcutList list{ShortcutPorts{fs, icons, links, boxes}};
  ShortcutEditing editing{list, dialogs};
  int changes = 0;
};

TEST_F(ShortcutEditingTest, DeleteRemovesTheSelectionAndSelectsTheRowAtTheTopmostGap) {
  struct Case {
    std::vector<std::size_t> select;
    std::vector<std::string> remaining;
    std::optional<std::size_t> selectedAfter;
  };
  const Case cases[] = {
      {{3, 4}, {"A", "B", "C"}, 2},            // 0: the last two: the new last row
      {{1, 3}, {"A", "C", "E"}, 1},            // 1: rows 2 and 4: the row now at position 2
      {{0}, {"B", "C", "D", "E"}, 0},          // 2
      {{}, {"A", "B", "C", "D", "E"}, std::nullopt},  // 3: nothing selected: nothing happens
      {{0, 1, 2, 3, 4}, {}, std::nullopt},     // 4: all of them
  };
  int n = 0;
  for (const Case& c : cases) {
    list.Clear();
    for (const char* name : {"A", "B", "C", "D", "E"}) Add(name, std::string("http://") + name);
    for (std::size_t row : c.select) list.SetSelected(row, true);
    editing.OnDeleteButtonClicked();
    EXPECT_EQ(Names(), c.remaining) << "case " << n;
    EXPECT_EQ(list.FirstSelected(), c.selectedAfter) << "case " << n;
    EXPECT_EQ(list.SelectedRows().size(), c.selectedAfter ? 1u : 0u) << "case " << n;
    ++n;
  }
}

TEST_F(ShortcutEditingTest, AddMenuDropsBelowTheAddButtonAndAddsAtTheEndWithoutSorting) {
  Add("zz", "http://z");
  dialogs.menuChoices = {"addShortcutFileItem", "addShortcutFolderItem", "addShortcutFileItem"};
  dialogs.files = {"C:\\Tools\\new.tool.exe", std::nullopt};
  dialogs.folders = {"D:\\Data\\Photos"};
  editing.OnAddButtonClicked();
  editing.OnAddButtonClicked();
  editing.OnAddButtonClicked();  // the file dialog cancelled
  EXPECT_EQ(Rows(), (std::vector<std::string>{"zz>http://z:网址:0", "new>C:\\Tools\\new.tool.exe:文件:21",
                                              "Photos>D:\\Data\\Photos:文件夹:22"}));
  ASSERT_GE(dialogs.log.size(), 2u);
  EXPECT_EQ(dialogs.log[0], "menu addShortcutMenu below addButton: 选择文件... 选择文件夹...");
  EXPECT_EQ(dialogs.log[3], "folder 请指定要选择的文件夹");
}

TEST_F(ShortcutEditingTest, ModifyActsByTheKindOfTheFirstSelectedRowsTarget) {
  Add("web", "http://w.example/");
  Add("tool", "C:\\Tools\\run.exe");
  Add("pics", "D:\\Data\\Photos");
  Add("gone", "C:\\Nowhere\\x.exe");
  Add("other", "http://o.example/");

  // 0: a web address: the change question, name and target from the dialog; type and icon stay.
  list.SelectOnly(0);
  list.SetSelected(1, true);
  dialogs.urlAnswer = [](std::string& title, std::string& link) {
    title = "网站";
    link = "D:\\Docs\\note.txt";
    return true;
  };
  editing.OnModifyButtonClicked();
  EXPECT_EQ(dialogs.log.back(), "url 请确定新的标题和链接 | web | http://w.example/");
  EXPECT_EQ(Rows()[0], "网站>D:\\Docs\\note.txt:网址:0");

  // 1: a file: the file dialog; the row takes the file, its icon and the type "文件".
  list.SelectOnly(1);
  dialogs.files = {"C:\\Tools\\new.tool.exe"};
  editing.OnModifyButtonClicked();
  EXPECT_EQ(Rows()[1], "tool>C:\\Tools\\new.tool.exe:文件:21");

  // 2: a folder: the folder browser with its title.
  list.SelectOnly(2);
  dialogs.folders = {"D:\\Data\\Photos"};
  list.SetTarget(2, "C:\\Tools");
  fs.AddDirectory("C:\\Tools");
  editing.OnModifyButtonClicked();
  EXPECT_EQ(dialogs.log.back(), "folder 请指定要选择的文件夹");
  EXPECT_EQ(Rows()[2], "pics>D:\\Data\\Photos:文件夹:22");

  // 3: a missing target: changeTargetMenu below modifyButton; "更改网址" replaces name and target only.
  list.SelectOnly(3);
  dialogs.menuChoices = {"changeUrlItem"};
  dialogs.urlAnswer = [](std::string& title, std::string& link) {
    title = "新";
    link = "ftp://n.example/";
    return true;
  };
  editing.OnModifyButtonClicked();
  EXPECT_EQ(dialogs.log[dialogs.log.size() - 2],
            "menu changeTargetMenu below modifyButton: 更改文件 更改文件夹 更改网址");
  EXPECT_EQ(Rows()[3], "新>ftp://n.example/:不存在:3");

  // 4: "更改文件" on a missing target makes it a file row with the file's icon.
  list.SetTarget(3, "C:\\Nowhere\\y.exe");
  dialogs.menuChoices = {"changeToFileItem"};
  dialogs.files = {"C:\\Tools\\new.tool.exe"};
  editing.OnModifyButtonClicked();
  EXPECT_EQ(Rows()[3], "新>C:\\Tools\\new.tool.exe:文件:21");
}

TEST_F(ShortcutEditingTest, ModifyThatChangesNothingOrHasNoRowLeavesTheListAlone) {
  Add("web", "http://w.example/");
  Add("gone", "C:\\Nowhere\\x.exe");
  const auto before = Rows();
  struct Case {
    std::optional<std::size_t> select;
    std::function<bool(std::string&, std::string&)> answer;
    std::deque<std::string> menu;
  };
  const Case cases[] = {
      {std::nullopt, nullptr, {}},  // 0: no row selected
      {0,
       [](std::string& t, std::string&) {
         t = "x";
         return false;
       },
       {}},                                  // 1: dialog declined
      {1, nullptr, {""}},                    // 2: menu dismissed
      {1, nullptr, {"changeToFileItem"}},    // 3: file dialog cancelled
      {1, nullptr, {"changeToFolderItem"}},  // 4: folder browser cancelled
  };
  int n = 0;
  for (const Case& c : cases) {
    list.ClearSelection();
    if (c.select) list.SelectOnly(*c.select);
    dialogs.urlAnswer = c.answer;
    dialogs.menuChoices = c.menu;
    const std::size_t dialogsBefore = dialogs.log.size();
    editing.OnModifyButtonClicked();
    EXPECT_EQ(Rows(), before) << "case " << n;
    if (!c.select) {
      EXPECT_EQ(dialogs.log.size(), dialogsBefore) << "case " << n;
    }
    ++n;
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ShortcutEditingTest, ModifyRefusesANameThatWouldShareAKeyOrCannotBeStored) {
  Add("Mail", "http://m.example/");
  Add("web", "http://w.example/");
  struct Case {
    std::string newName;
    bool accepted;
  };
  const Case cases[] = {
      {"MAIL", false},     // 0: another row's name in other letters' case
      {"a=b", false},      // 1
      {" web", false},     // 2
      {"", false},         // 3
      {"WEB", true},       // 4: its own name in another case is no clash
      {"邮件", true},       // 5
  };
  int n = 0;
  for (const Case& c : cases) {
    list.SelectOnly(1);
    const std::string oldName = list[1].name;
    const std::string newName = c.newName;
    dialogs.urlAnswer = [&](std::string& title, std::string& link) {
      title = newName;
      link = "http://changed.example/";
      return true;
    };
    boxes.shown.clear();
    editing.OnModifyButtonClicked();
    if (c.accepted) {
      EXPECT_EQ(list[1].name, c.newName) << "case " << n;
      EXPECT_EQ(list[1].target, "http://changed.example/") << "case " << n;
      EXPECT_TRUE(boxes.shown.empty()) << "case " << n;
    } else {
      EXPECT_EQ(list[1].name, oldName) << "case " << n;
      ASSERT_EQ(boxes.shown.size(), 1u) << "case " << n;
      EXPECT_EQ(boxes.shown[0].caption, "错误") << "case " << n;
    }
    EXPECT_EQ(list[0].name, "Mail") << "case " << n;
    ++n;
  }
  EXPECT_EQ(boxes.shown.size(), 0u);
}

TEST_F(ShortcutEditingTest, ShellDropAddsOnTheShortcutPageAndSortsWhateverThePage) {
  Add("zz", "http://z");
  Add("aa", "http://a");  // unsorted until the drop
  fs.SetFile("C:\\Tools\\aa.exe", "x");

  // A memory-page drop adds nothing but sorts.
  editing.DropFiles({"C:\\Tools\\run.exe"}, DropDestination::Ignored);
  EXPECT_EQ(Names(), (std::vector<std::string>{"aa", "zz"}));

  // The wallpaper page passes each path on.
  std::vector<std::string> pictures;
  editing.DropFiles({"D:\\p1.jpg", "D:\\p2.jpg"}, DropDestination::Wallpapers,
                    [&](const std::string& p) { pictures.push_back(p); });
  EXPECT_EQ(pictures, (std::vector<std::string>{"D:\\p1.jpg", "D:\\p2.jpg"}));
  EXPECT_EQ(list.Count(), 2u);

  // On the shortcut page: a refused file shows its message and the pass goes on.
  editing.DropFiles({"D:\\Data\\Photos", "C:\\Tools\\aa.exe", "C:\\Tools\\run.exe", "C:\\Gone\\q.txt"},
                    DropDestination::Shortcuts);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "名称 aa 已经存在");
  EXPECT_EQ(Names(), (std::vector<std::string>{"", "aa", "zz", "run", "Photos"}));
  EXPECT_EQ(list[0].typeText, std::string(kTypeMissing));
}

TEST_F(ShortcutEditingTest, ShellDropOfAnUnreadableLinkStopsThePassButStillSorts) {
  Add("zz", "http://z");
  Add("aa", "http://a");
  links.Set("C:\\Good.lnk", "C:\\Tools\\run.exe");
  EXPECT_THROW(editing.DropFiles({"C:\\Good.lnk", "C:\\Bad.lnk", "D:\\Data\\Photos"}, DropDestination::Shortcuts),
               Error);
  EXPECT_EQ(Names(), (std::vector<std::string>{"aa", "zz", "run"}));
  EXPECT_EQ(list[2].target, "C:\\Tools\\run.exe");
}

TEST_F(ShortcutEditingTest, UrlDropAsksThenAddsAtTheEndAndRefusesDropsMeanwhile) {
  Add("zz", "http://z");
  std::vector<bool> accepting;
  editing.AcceptUrlDrops = [&](bool a) { accepting.push_back(a); };
  std::vector<bool> acceptingDuringDialog;
  dialogs.urlAnswer = [&](std::string&, std::string&) {
    acceptingDuringDialog = accepting;
    return true;
  };
  editing.OnUrlDropped({"http://news.example/", "新闻"});
  EXPECT_EQ(dialogs.log.back(), "url 是否添加以下网址到我的收藏夹？ | 新闻 | http://news.example/");
  EXPECT_EQ(acceptingDuringDialog, (std::vector<bool>{false}));
  EXPECT_EQ(accepting, (std::vector<bool>{false, true}));
  EXPECT_EQ(Rows().back(), "新闻>http://news.example/:网址:0");

  // A link naming an existing file is named from the path; a declined dialog adds nothing.
  dialogs.urlAnswer = nullptr;
  editing.OnUrlDropped({"C:\\Tools\\run.exe", "title"});
  EXPECT_EQ(list[list.Count() - 1].name, "run");
  dialogs.urlAnswer = [](std::string&, std::string&) { return false; };
  editing.OnUrlDropped({"http://no.example/", "no"});
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_EQ(accepting.back(), true);
}

}  // namespace
}  // namespace tovr::shortcuts
