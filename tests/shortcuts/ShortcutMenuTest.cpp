// The tray menu's shortcut entries: flat and grouped layouts, removal, and what a click runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TrayMenu.h"
#include "fakes/MemoryFileSystem.h"
#include "shortcuts/ShortcutMenu.h"

namespace tovr::shortcuts {
namespace {

using controls::MenuItem;

struct Row {
  std::string name, target;
  int icon;
};

class ShortcutMenuTest : public ::testing::Test {
 protected:
  ShortcutMenuTest() {
    fs.SetFile("C:\\Tools\\f1.exe", "");
    fs.SetFile("C:\\Tools\\f2.exe", "");
    fs.AddDirectory("D:\\Data\\Photos");
  }

  // What the save and the start-up sequence do: groups when grouped, then the rows from the
  // last to the first.
  void Build(const std::vector<Row>& rows, bool grouped) {
    if (grouped) menu.CreateGroups();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
      menu.AddItem(it->name, it->target, grouped, it->icon);
    }
  }
  // "caption" per item above the fixed items, with "  caption" for the items of a submenu.
  std::vector<std::string> Top() const {
    std::vector<std::string> out;
    for (const auto& item : root->Items()) {
      if (item->Name() == "shortcutsSeparatorItem") break;
      out.push_back(item->Caption());
      for (const auto& child : item->Items()) out.push_back("  " + child->Caption());
    }
    return out;
  }
  MenuItem& TopItem(std::size_t i) { return *root->Items()[i]; }

  MemoryFileSystem fs;
  std::unique_ptr<MenuItem> root = app::BuildTrayMenu();
  std::size_t fixedCount = root->Items().size();
  std::vector<std::string> ran;
  ShortcutMenu menu{*root, fs, [this](const std::string& t) { ran.push_back(t); }};
};

const std::vector<Row> kMixedRows = {
    {"U1", "http://one.example/", 0},
    {"U2", "ftp://two.example/", 0},
    {"F1", "C:\\Tools\\f1.exe", 11},
    {"F2", "C:\\Tools\\f2.exe", 12},
    {"gone", "C:\\Nowhere\\x.exe", 3},
    {"Photos", "D:\\Data\\Photos", 7},
};

TEST_F(ShortcutMenuTest, FlatEntriesStandInListOrderAboveTheFixedItems) {
  Build(kMixedRows, false);
  EXPECT_EQ(Top(), (std::vector<std::string>{"U1", "U2", "F1", "F2", "gone", "Photos"}));
  EXPECT_EQ(root->Items().size(), fixedCount + 6);
  EXPECT_EQ(app::FixedItemsStart(*root), 6u);
  // Each entry carries its row's icon (a missing target keeps icon 3), target and tag.
  for (std::size_t i = 0; i < kMixedRows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    const MenuItem& item = TopItem(i);
    EXPECT_EQ(item.ImageIndex(), kMixedRows[i].icon);
    EXPECT_EQ(item.Hint(), kMixedRows[i].target);
    EXPECT_EQ(item.Tag(), app::kShortcutEntryTag);
    EXPECT_TRUE(item.Items().empty());
  }
}

TEST_F(ShortcutMenuTest, GroupedEntriesListInReverseAndSkipMissingTargets) {
  Build(kMixedRows, true);
  EXPECT_EQ(Top(), (std::vector<std::string>{"网址", "  U2", "  U1", "文件", "  F2", "  F1",
                                             "文件夹", "  Photos"}));
  EXPECT_EQ(root->Items().size(), fixedCount + 3);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("group " + std::to_string(i));
    EXPECT_EQ(TopItem(i).Tag(), app::kShortcutEntryTag);
    EXPECT_EQ(TopItem(i).ImageIndex(), -1);
    EXPECT_FALSE(TopItem(i).OnClick);
  }
  EXPECT_EQ(TopItem(1).Items()[0]->ImageIndex(), 12);
}

TEST_F(ShortcutMenuTest, GroupsAreMadeEvenWhenEmpty) {
  Build({{"U1", "http://one.example/", 0}}, true);
  EXPECT_EQ(Top(), (std::vector<std::string>{"网址", "  U1", "文件", "文件夹"}));
}

TEST_F(ShortcutMenuTest, KindIsTakenWhenTheMenuIsBuilt) {
  // A row added as a file whose file has since gone: no grouped entry; a folder whose path
  // holds "://" is a folder.
  fs.AddDirectory("C:\\odd\\a://b");
  Build({{"F1", "C:\\Tools\\f1.exe", 11}}, true);
  menu.AddItem("odd", "C:\\odd\\a://b", true, 5);
  ASSERT_TRUE(fs.RemoveFile("C:\\Tools\\f1.exe"));
  menu.AddItem("F1 again", "C:\\Tools\\f1.exe", true, 11);
  EXPECT_EQ(Top(), (std::vector<std::string>{"网址", "文件", "  F1", "文件夹", "  odd"}));
}

TEST_F(ShortcutMenuTest, ClearRemovesEntriesAndGroupsOnly) {
  for (bool grouped : {false, true}) {
    SCOPED_TRACE(grouped ? "grouped" : "flat");
    Build(kMixedRows, grouped);
    menu.Clear();
    EXPECT_TRUE(Top().empty());
    EXPECT_EQ(root->Items().size(), fixedCount);
    EXPECT_NE(root->Find("quitItem"), nullptr);
  }
}

TEST_F(ShortcutMenuTest, RebuildingDoesNotDuplicateEntries) {
  // Two saves in a row, switching to grouped in between, and back.
  const std::vector<std::string> flat = {"U1", "U2", "F1", "F2", "gone", "Photos"};
  for (int save = 0; save < 3; ++save) {
    SCOPED_TRACE("save " + std::to_string(save));
    const bool grouped = save == 1;
    menu.Clear();
    Build(kMixedRows, grouped);
    EXPECT_EQ(root->Items().size(), fixedCount + (grouped ? 3 : 6));
    if (!grouped) {
      EXPECT_EQ(Top(), flat);
    }
  }
}

TEST_F(ShortcutMenuTest, ClickRunsTheEntrysTarget) {
  Build(kMixedRows, false);
  TopItem(2).Click();
  TopItem(4).Click();
  EXPECT_EQ(ran, (std::vector<std::string>{"C:\\Tools\\f1.exe", "C:\\Nowhere\\x.exe"}));
  // Grouped: the entry inside its group.
  menu.Clear();
  ran.clear();
  Build(kMixedRows, true);
  TopItem(0).Items()[1]->Click();  // U1
  TopItem(0).Click();              // the group itself does nothing
  EXPECT_EQ(ran, (std::vector<std::string>{"http://one.example/"}));
}

}  // namespace
}  // namespace tovr::shortcuts

namespace tovr::shortcuts {
namespace {

// A shortcut may be named "-" or "A&B": its entry is an item that runs it, not a separator.
TEST_F(ShortcutMenuTest, OddNamesStayRunnableEntries) {
  Build({{"-", "C:\\Tools\\f1.exe", 11}, {"A&B", "C:\\Tools\\f2.exe", 12}}, false);
  ASSERT_EQ(Top(), (std::vector<std::string>{"-", "A&B"}));
  EXPECT_FALSE(TopItem(0).IsSeparator());
  EXPECT_TRUE(TopItem(0).LiteralCaption());
  EXPECT_TRUE(TopItem(1).LiteralCaption());
  TopItem(0).Click();
  EXPECT_EQ(ran, std::vector<std::string>{"C:\\Tools\\f1.exe"});
}

}  // namespace
}  // namespace tovr::shortcuts
