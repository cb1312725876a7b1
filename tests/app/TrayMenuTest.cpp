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
      {0, "shortcutsSeparatorItem", "-"},
      {0, "showMainWindowItem", "显示主界面..."},
      {0, "quickActionsItem", "[快速执行]"},
      {1, "nextWallpaperItem", "立即手动更换壁纸"},
      {1, "hideIconsItem", "隐藏桌面所有图标"},
      {1, "refreshIconsItem", "刷新桌面图标"},
      {1, "saveIconLayoutItem", "保存桌面图标位置"},
      {1, "restoreIconLayoutItem", "恢复桌面图标位置"},
      {1, "screenSaverItem", "运行屏幕保护程序"},
      {1, "displayPropertiesItem", "打开\"显示属性\""},
      {1, "memorySeparatorItem", "-"},
      {1, "defragMemoryItem", "立即整理内存"},
      {1, "cdDriveSeparatorItem", "-"},
      {1, "openCdDriveItem", "打开光驱"},
      {1, "closeCdDriveItem", "关闭光驱"},
      {0, "transparencyItem", "[设置窗口透明]"},
      {1, "taskbarTransparencyItem", "任务栏"},
      {1, "startMenuTransparencyItem", "开始菜单"},
      {1, "windowEntriesSeparatorItem", "-"},
      {0, "checkUpdateItem", "检查新版本"},
      {0, "downloadUpdateItem", "下载新版本", false},
      {0, "feedbackSeparatorItem", "-"},
      {0, "feedbackItem", "意见或建议"},
      {0, "aboutItem", "[关于]"},
      {1, "aboutNameItem", "[名称 Tovrane]"},
      {1, "aboutVersionItem", "[版本  2.53 测试版]"},
      {1, "authorItem", "作者 *"},  // the author's name follows
      {1, "homePageItem", "访问主页"},
      {1, "helpItem", "帮助"},
      {0, "quitSeparatorItem", "-"},
      {0, "quitItem", "关闭"},
  };
  return rows;
}

TEST(TrayMenuTest, FixedItemsInOrderWithTheirCaptions) {
  auto root = BuildTrayMenu();
  SetAboutCaptions(*root);
  EXPECT_EQ(root->Name(), "trayPopupMenu");
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
  EXPECT_EQ(root->Find("aboutItem")->ImageIndex(), kOwnPictureImage);
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
  EXPECT_EQ(root->Items()[3]->Name(), "shortcutsSeparatorItem");
}

TEST(TrayMenuTest, EachOpeningReplacesTheWindowEntries) {
  auto root = BuildTrayMenu();
  MenuItem& transparencySubmenu = *root->Find("transparencyItem");
  std::vector<int> picked;
  const auto pick = [&](int index) { picked.push_back(index); };

  std::vector<std::string> many;
  for (int i = 0; i < 12; ++i) many.push_back("窗口 " + std::to_string(i));
  RefreshWindowEntries(transparencySubmenu, many, pick);
  ASSERT_EQ(transparencySubmenu.Items().size(), 3u + 12u);
  EXPECT_EQ(transparencySubmenu.Items()[3 + 11]->Hint(), "11");

  const struct {
    std::vector<std::string> titles;
  } openings[] = {{{"记事本", "Calculator"}}, {{"记事本", "Calculator"}}, {{"Only"}}, {{}}};
  for (std::size_t n = 0; n < std::size(openings); ++n) {
    RefreshWindowEntries(transparencySubmenu, openings[n].titles, pick);
    const auto& items = transparencySubmenu.Items();
    ASSERT_EQ(items.size(), 3u + openings[n].titles.size()) << "opening " << n;
    EXPECT_EQ(items[0]->Name(), "taskbarTransparencyItem") << "opening " << n;
    EXPECT_EQ(items[1]->Name(), "startMenuTransparencyItem") << "opening " << n;
    EXPECT_EQ(items[2]->Name(), "windowEntriesSeparatorItem") << "opening " << n;
    for (std::size_t i = 0; i < openings[n].titles.size(); ++i) {
      const MenuItem& entry = *items[3 + i];
      EXPECT_EQ(entry.Caption(), openings[n].titles[i]) << "opening " << n << " entry " << i;
      EXPECT_EQ(entry.Hint(), std::to_string(i)) << "opening " << n << " entry " << i;
      EXPECT_EQ(entry.Tag(), kWindowEntryTag) << "opening " << n << " entry " << i;
    }
  }

  RefreshWindowEntries(transparencySubmenu, {"first", "second", "third"}, pick);
  picked.clear();
  transparencySubmenu.Items()[3 + 2]->Click();
  transparencySubmenu.Items()[3 + 0]->Click();
  EXPECT_EQ(picked, (std::vector<int>{2, 0}));
}

}  // namespace
}  // namespace tovr::app
