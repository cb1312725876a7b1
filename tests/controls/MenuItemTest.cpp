// Menu trees: insertion places, removal by tag, lookups, and clicks that may destroy the item.
#include "controls/MenuItem.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tovr::controls {
namespace {

std::vector<std::string> Names(const MenuItem& menu) {
  std::vector<std::string> names;
  for (const auto& item : menu.Items()) names.push_back(item->Name());
  return names;
}

using Names_ = std::vector<std::string>;

std::unique_ptr<MenuItem> Item(const std::string& name, int tag = 0) {
  return std::make_unique<MenuItem>(name, name, tag);
}

TEST(MenuItemTest, InsertAtTopFromTheLastRowKeepsListOrder) {
  MenuItem menu{"trayPopupMenu"};
  menu.Add(Item("shortcutsSeparatorItem"));
  menu.Add(Item("showMainWindowItem"));
  for (const char* row : {"c", "b", "a"}) menu.Insert(0, Item(row, 3));
  menu.Insert(99, Item("quitItem"));  // past the end: appended
  EXPECT_EQ(Names(menu), (Names_{"a", "b", "c", "shortcutsSeparatorItem", "showMainWindowItem", "quitItem"}));
}

TEST(MenuItemTest, RemoveTaggedTakesOnlyDirectChildrenWithThatTag) {
  MenuItem menu{"trayPopupMenu"};
  MenuItem& group = menu.Add(Item("网址", 3));
  group.Add(Item("site", 3));
  menu.Add(Item("shortcutsSeparatorItem"));
  MenuItem& transparencySubmenu = menu.Add(Item("transparencyItem"));
  transparencySubmenu.Add(Item("taskbarTransparencyItem"));
  transparencySubmenu.Add(Item("w0", 5));
  transparencySubmenu.Add(Item("w1", 5));
  transparencySubmenu.Add(Item("startMenuTransparencyItem"));
  menu.Add(Item("files", 3));
  const std::uint64_t siteSerial = group.Items()[0]->Serial();

  menu.RemoveTagged(5);  // tag 5 lives one level down: nothing at the top
  EXPECT_EQ(Names(menu), (Names_{"网址", "shortcutsSeparatorItem", "transparencyItem", "files"}));
  transparencySubmenu.RemoveTagged(5);
  EXPECT_EQ(Names(transparencySubmenu), (Names_{"taskbarTransparencyItem", "startMenuTransparencyItem"}));
  menu.RemoveTagged(3);
  EXPECT_EQ(Names(menu), (Names_{"shortcutsSeparatorItem", "transparencyItem"}));
  EXPECT_EQ(menu.FindSerial(siteSerial), nullptr);  // the group took its entries along
}

TEST(MenuItemTest, FindsDescendantsByNameAndSerial) {
  MenuItem menu{"trayPopupMenu"};
  MenuItem& about = menu.Add(Item("aboutItem"));
  MenuItem& help = about.Add(Item("helpItem"));
  EXPECT_EQ(menu.Find("helpItem"), &help);
  EXPECT_EQ(menu.Find("trayPopupMenu"), &menu);
  EXPECT_EQ(menu.Find("noSuchItem"), nullptr);
  EXPECT_EQ(menu.FindSerial(help.Serial()), &help);
  EXPECT_NE(help.Serial(), about.Serial());
}

TEST(MenuItemTest, SerialsAreNeverReused) {
  MenuItem menu{"trayPopupMenu"};
  const std::uint64_t first = menu.Add(Item("w0", 5)).Serial();
  menu.RemoveTagged(5);
  const std::uint64_t second = menu.Add(Item("w0", 5)).Serial();  // may reuse the address
  EXPECT_NE(first, second);
  EXPECT_EQ(menu.FindSerial(first), nullptr);
}

TEST(MenuItemTest, ClickRunsOnlyWhenEnabledAndSurvivesRemovingItself) {
  MenuItem menu{"transparencyItem"};
  MenuItem& entry = menu.Add(Item("w0", 5));
  int clicks = 0;
  entry.OnClick = [&] {
    ++clicks;
    menu.RemoveTagged(5);  // destroys the item whose click is running
  };
  entry.SetEnabled(false);
  entry.Click();
  EXPECT_EQ(clicks, 0);
  entry.SetEnabled(true);
  entry.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(menu.Items().empty());
}

}  // namespace
}  // namespace tovr::controls
