// The tray menu's shortcut entries as the main window builds them: at start-up from [Apps] (their
// icons at the first idle moment), and again by each save that finds the list changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FormHarness.h"

namespace tovr::app {
namespace {

class ShortcutTrayEntriesTest : public ::testing::Test {
 protected:
  ShortcutTrayEntriesTest() {
    h.fs.SetFile("C:\\Tools\\app.exe", "");
    h.fs.AddDirectory("D:\\Data");
    h.icons.Set("C:\\Tools\\app.exe", 21);
    h.icons.Set("D:\\Data", 22);
  }
  // One entry of each kind, in an order the sort changes.
  void GivenApps(bool grouped) {
    h.GivenOptions(std::string(grouped ? "SortMenu=1\r\n" : "") +
                   "[Apps]\r\nData=D:\\Data\r\napp=C:\\Tools\\app.exe\r\n"
                   "site=http://site.example/\r\ngone=C:\\Nowhere\\x.exe\r\n");
  }
  // Start-up, then its first idle moment.
  void Start() {
    StartUpOnly();
    form->AttachLaterIcons();
  }
  void StartUpOnly() {
    form = std::make_unique<TKWForm>(h.Ports());
    form->StartUp();
    ASSERT_TRUE(h.messages.shown.empty()) << h.messages.shown[0].text;
  }
  // "caption/icon" of the items above the fixed ones, "  caption/icon" inside a group.
  std::vector<std::string> Top() const {
    std::vector<std::string> out;
    for (const auto& item : form->trayPopupMenu->Items()) {
      if (item->Name() == "shortcutsSeparatorItem") break;
      out.push_back(item->Caption() + "/" + std::to_string(item->ImageIndex()));
      for (const auto& child : item->Items()) {
        out.push_back("  " + child->Caption() + "/" + std::to_string(child->ImageIndex()));
      }
    }
    return out;
  }

  FormHarness h;
  std::unique_ptr<TKWForm> form;
};

const std::vector<std::string> kFlat = {"gone/3", "site/0", "app/21", "Data/22"};
const std::vector<std::string> kGrouped = {"网址/-1", "  site/0", "文件/-1", "  app/21",
                                           "文件夹/-1", "  Data/22"};

TEST_F(ShortcutTrayEntriesTest, StartUpBuildsTheEntriesInListOrderAndTheirIconsWhenIdle) {
  GivenApps(false);
  StartUpOnly();
  EXPECT_EQ(Top(), (std::vector<std::string>{"gone/-2", "site/-2", "app/-2", "Data/-2"}));
  EXPECT_EQ(h.icons.calls, 0);
  form->shortcutPage.shortcutsChanged = false;
  form->AttachLaterIcons();
  EXPECT_EQ(Top(), kFlat);
  EXPECT_EQ(form->shortcutPage.shortcutList[2].iconIndex, 21);  // the list's rows too
  EXPECT_FALSE(form->shortcutPage.shortcutsChanged);            // not an edit
}

TEST_F(ShortcutTrayEntriesTest, StartUpGroupsWhenSortMenuIsSet) {
  GivenApps(true);
  Start();
  EXPECT_EQ(Top(), kGrouped);
}

TEST_F(ShortcutTrayEntriesTest, TheMenuAndTheWindowNeverShowIconsLeftForLater) {
  GivenApps(true);
  StartUpOnly();
  form->OnTrayMenuOpening();  // before the first idle moment
  EXPECT_EQ(Top(), kGrouped);
  GivenApps(false);
  StartUpOnly();
  form->ShowMainWindow();
  EXPECT_EQ(form->shortcutPage.shortcutList[3].iconIndex, 22);
}

TEST_F(ShortcutTrayEntriesTest, SavingTwiceDoesNotDuplicateEntries) {
  GivenApps(false);
  Start();
  form->shortcutPage.shortcutsChanged = true;
  form->OnSaveButtonClicked();
  form->OnSaveButtonClicked();
  EXPECT_EQ(Top(), kFlat);
}

TEST_F(ShortcutTrayEntriesTest, GroupedBoxTakesEffectAtTheNextSave) {
  GivenApps(false);
  Start();
  form->ShowMainWindow();
  form->pageControl.UserSelect(kPageSettings);
  form->groupedMenuBox.UserClick();
  EXPECT_TRUE(form->shortcutPage.shortcutsChanged);
  EXPECT_EQ(Top(), kFlat);  // not before the save
  form->OnSaveButtonClicked();
  EXPECT_EQ(Top(), kGrouped);
  form->groupedMenuBox.UserClick();
  form->OnSaveButtonClicked();
  EXPECT_EQ(Top(), kFlat);
}

TEST_F(ShortcutTrayEntriesTest, UnchangedListLeavesTheEntriesAlone) {
  GivenApps(false);
  Start();
  form->ShowMainWindow();  // clears shortcutsChanged
  h.fs.SetFile("C:\\Tovr\\Config.ini", text::Utf8ToGbk("[Apps]\r\nother=http://o.example/\r\n"));
  form->OnSaveButtonClicked();
  EXPECT_EQ(Top(), kFlat);
}

TEST_F(ShortcutTrayEntriesTest, ChoosingEntriesStartsTheirTargets) {
  GivenApps(false);
  Start();
  const auto& items = form->trayPopupMenu->Items();
  items[2]->Click();  // app
  items[3]->Click();  // Data
  items[0]->Click();  // gone
  ASSERT_EQ(h.shell.calls.size(), 2u);
  EXPECT_EQ(h.shell.calls[0].verb, "open");
  EXPECT_EQ(h.shell.calls[0].directory, "C:\\Tools\\");
  EXPECT_EQ(h.shell.calls[1].verb, "explore");
  EXPECT_EQ(h.shell.calls[1].directory, "D:\\");
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "目标不存在，请检查后再运行。");
}

}  // namespace
}  // namespace tovr::app
