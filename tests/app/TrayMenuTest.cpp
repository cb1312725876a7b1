#include "app/TrayMenu.h"

#include <gtest/gtest.h>

namespace tovr::app {
namespace {

using controls::MenuItem;

struct Row {
  int depth;
  std::string name;
  std::string caption;
  bool visible = true;
};

void Flatten(const MenuItem& item, int depth, std::vector<Row>& out) {
  for (const auto& child : item.Items()) {
    out.push_back({depth, child->Name(), child->Caption(), child->Visible()});
    Flatten(*child, depth + 1, out);
  }
}

// The tray menu as its table describes it, top to bottom (depth 1 = inside a submenu).
const std::vector<Row>& ExpectedFixedItems() {
  static const std::vector<Row> rows = {
      {0, "N4", "-"},
      {0, "m1", "显示主界面..."},
      {0, "m5", "[快速执行]"},
      {1, "m201", "立即手动更换壁纸"},
      {1, "m202", "隐藏桌面所有图标"},
      {1, "m203", "刷新桌面图标"},
      {1, "menuSaveIconLayout", "保存桌面图标位置"},
      {1, "menuRestoreIconLayout", "恢复桌面图标位置"},
      {1, "mrs", "运行屏幕保护程序"},
      {1, "mosp", "打开\"显示属性\""},
      {1, "N5", "-"},
      {1, "menumem", "立即整理内存"},
      {1, "N6", "-"},
      {1, "menuopencd", "打开光驱"},
      {1, "menuclosecd", "关闭光驱"},
      {0, "MTF", "[设置窗口透明]"},
      {1, "N2", "任务栏"},
      {1, "N3", "开始菜单"},
      {1, "N1", "-"},
      {0, "MenuCV", "检查新版本"},
      {0, "menudown", "下载新版本", false},
      {0, "N7", "-"},
      {0, "N9", "意见或建议"},
      {0, "m9", "[关于]"},
      {1, "m302", "[名称 Tovrane]"},
      {1, "m303", "[版本  2.53 测试版]"},
      {1, "m304", "作者 *"},  // the author's name follows
      {1, "m305", "访问主页"},
      {1, "m306", "帮助"},
      {0, "N8", "-"},
      {0, "menuclose", "关闭"},
  };
  return rows;
}

TEST(TrayMenuTest, FixedItemsInOrderWithTheirCaptions) {
  auto root = BuildTrayMenu();
  SetAboutCaptions(*root);
  EXPECT_EQ(root->Name(), "PopupMenu1");
  std::vector<Row> actual;
  Flatten(*root, 0, actual);
  const auto& expected = ExpectedFixedItems();
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actual[i].depth, expected[i].depth) << "row " << i << " " << expected[i].name;
    EXPECT_EQ(actual[i].name, expected[i].name) << "row " << i;
    if (expected[i].caption.ends_with('*')) {
      const std::string prefix = expected[i].caption.substr(0, expected[i].caption.size() - 1);
      EXPECT_TRUE(actual[i].caption.starts_with(prefix) && actual[i].caption.size() > prefix.size())
          << "row " << i << ": " << actual[i].caption;
    } else {
      EXPECT_EQ(actual[i].caption, expected[i].caption) << "row " << i;
    }
    EXPECT_EQ(actual[i].visible, expected[i].visible) << "row " << i;
    const MenuItem* item = root->Find(expected[i].name);
    ASSERT_NE(item, nullptr) << "row " << i;
    EXPECT_EQ(item->Tag(), 0) << "row " << i;
    EXPECT_EQ(item->IsSeparator(), expected[i].caption == "-") << "row " << i;
  }
  EXPECT_EQ(root->Find("m9")->ImageIndex(), kOwnPictureImage);
}

TEST(TrayMenuTest, ShortcutEntriesAddedFromTheLastRowListInRowOrderAboveTheFixedItems) {
  auto root = BuildTrayMenu();
  EXPECT_EQ(FixedItemsStart(*root), 0u);
  const std::vector<std::string> rows = {"A", "B", "C"};
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    root->Insert(ShortcutInsertIndex(*root), std::make_unique<MenuItem>("", *it, kShortcutEntryTag));
  }
  ASSERT_EQ(FixedItemsStart(*root), 3u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(root->Items()[i]->Caption(), rows[i]) << "row " << i;
  }
  EXPECT_EQ(root->Items()[3]->Name(), "N4");
}

TEST(TrayMenuTest, EachOpeningReplacesTheWindowEntries) {
  auto root = BuildTrayMenu();
  MenuItem& mtf = *root->Find("MTF");
  std::vector<int> picked;
  const auto pick = [&](int index) { picked.push_back(index); };

  std::vector<std::string> many;
  for (int i = 0; i < 12; ++i) many.push_back("窗口 " + std::to_string(i));
  RefreshWindowEntries(mtf, many, pick);
  ASSERT_EQ(mtf.Items().size(), 3u + 12u);
  EXPECT_EQ(mtf.Items()[3 + 11]->Hint(), "11");

  const struct {
    std::vector<std::string> titles;
  } openings[] = {{{"记事本", "Calculator"}}, {{"记事本", "Calculator"}}, {{"Only"}}, {{}}};
  for (std::size_t n = 0; n < std::size(openings); ++n) {
    RefreshWindowEntries(mtf, openings[n].titles, pick);
    const auto& items = mtf.Items();
    ASSERT_EQ(items.size(), 3u + openings[n].titles.size()) << "opening " << n;
    EXPECT_EQ(items[0]->Name(), "N2") << "opening " << n;
    EXPECT_EQ(items[1]->Name(), "N3") << "opening " << n;
    EXPECT_EQ(items[2]->Name(), "N1") << "opening " << n;
    for (std::size_t i = 0; i < openings[n].titles.size(); ++i) {
      const MenuItem& entry = *items[3 + i];
      EXPECT_EQ(entry.Caption(), openings[n].titles[i]) << "opening " << n << " entry " << i;
      EXPECT_EQ(entry.Hint(), std::to_string(i)) << "opening " << n << " entry " << i;
      EXPECT_EQ(entry.Tag(), kWindowEntryTag) << "opening " << n << " entry " << i;
    }
  }

  RefreshWindowEntries(mtf, {"first", "second", "third"}, pick);
  picked.clear();
  mtf.Items()[3 + 2]->Click();
  mtf.Items()[3 + 0]->Click();
  EXPECT_EQ(picked, (std::vector<int>{2, 0}));
}

}  // namespace
}  // namespace tovr::app
