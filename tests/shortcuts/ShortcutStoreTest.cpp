// [Apps]: written last row first, read in file order, and the form's load, save and start-up.
#include "shortcuts/ShortcutStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FormHarness.h"
#include "app/TrayMenu.h"
#include "base/Error.h"
#include "base/Text.h"

namespace tovr::shortcuts {
namespace {

using app::kConfigPath;

class ShortcutStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.fs.SetFile("C:\\Apps\\b.exe", "x");
    h.fs.SetFile("C:\\Apps\\a.exe", "x");
    h.fs.AddDirectory("D:\\Docs");
  }
  void GivenConfig(const std::string& utf8) { h.fs.SetFile(kConfigPath, text::Utf8ToGbk(utf8)); }
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.Count(); ++i) out.push_back(list[i].name);
    return out;
  }
  // Captions of the tray menu's items tagged as shortcut entries, with their children.
  std::vector<std::string> TrayEntries(const controls::MenuItem& menu) const {
    std::vector<std::string> out;
    for (const auto& item : menu.Items()) {
      if (item->Tag() != app::kShortcutEntryTag) continue;
      std::string s = item->Caption();
      for (const auto& child : item->Items()) s += "|" + child->Caption();
      out.push_back(s);
    }
    return out;
  }

  app::FormHarness h;
  TSettingsFile settings{h.fs, kConfigPath};
  ShortcutList list{ShortcutPorts{h.fs, h.icons, h.links, h.messages}};
};

TEST_F(ShortcutStoreTest, SaveWritesRowsInReverseAndLoadPlusSortRestoresThem) {
  GivenConfig("[Option]\r\nSortMenu=0\r\n[Apps]\r\nold=gone\r\n");
  for (auto [n, t] : {std::pair{"Row1", "http://1"}, {"Row2", "C:\\Apps\\a.exe"}, {"Row3", "D:\\Docs"}}) {
    ASSERT_TRUE(list.AddShortcut(n, t, false));
  }
  std::vector<std::string> menu;
  h.fs.ResetCounts();
  WriteShortcuts(list, settings, [&](const ShortcutEntry& e) { menu.push_back(e.name); });
  EXPECT_EQ(h.fs.Reads(), 1);
  EXPECT_EQ(h.fs.Writes(), 1);
  EXPECT_EQ(menu, (std::vector<std::string>{"Row3", "Row2", "Row1"}));
  EXPECT_EQ(text::GbkToUtf8(*h.fs.File(kConfigPath)),
            "[Option]\r\nSortMenu=0\r\n[Apps]\r\nRow3=D:\\Docs\r\nRow2=C:\\Apps\\a.exe\r\nRow1=http://1\r\n");

  list.SortShortcuts();
  const std::vector<ShortcutEntry> sorted = list.Entries();
  ShortcutList again{ShortcutPorts{h.fs, h.icons, h.links, h.messages}};
  h.fs.ResetCounts();
  LoadShortcuts(again, settings);
  EXPECT_EQ(h.fs.Reads(), 1);
  EXPECT_EQ(h.fs.Writes(), 0);
  EXPECT_EQ(again.Entries(), sorted);
}

TEST_F(ShortcutStoreTest, LoadRefusesDuplicatesOneByOneAndResolvesLinksUnderTheStoredName) {
  h.links.Set("C:\\Desk\\Tool.lnk", "C:\\Apps\\b.exe");
  GivenConfig(
      "[Apps]\r\nTool=C:\\Desk\\Tool.lnk\r\nMail=http://m\r\nMAIL=http://other\r\n"
      "Post=HTTP://M\r\nGone=C:\\nowhere\r\nEmpty=\r\n");
  list.AddShortcut("stale", "http://stale", false);
  LoadShortcuts(list, settings);
  ASSERT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[0].text, "名称 MAIL 已经存在");
  EXPECT_EQ(h.messages.shown[1].text, "目标 HTTP://M 已经存在");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Empty", "Gone", "Mail", "Tool"}));
  EXPECT_EQ(list[3], (ShortcutEntry{"Tool", "C:\\Apps\\b.exe", "文件", 7}));
  EXPECT_EQ(list[0].typeText, "不存在");
}

TEST_F(ShortcutStoreTest, ARowWithAnEmptyNameIsNotWrittenAndLosesNoOtherLine) {
  GivenConfig("[Apps]\r\n");
  ASSERT_TRUE(list.AddShortcut("", "C:\\nowhere", true));
  ASSERT_TRUE(list.AddShortcut("Web", "http://w", false));
  int rows = 0;
  WriteShortcuts(list, settings, [&](const ShortcutEntry&) { ++rows; });
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(text::GbkToUtf8(*h.fs.File(kConfigPath)), "[Apps]\r\nWeb=http://w\r\n");
}

TEST_F(ShortcutStoreTest, AFailedWriteStopsWithTheSettingsError) {
  GivenConfig("[Apps]\r\nA=http://a\r\n");
  h.fs.SetReadOnly(kConfigPath);
  LoadShortcuts(list, settings);
  int rows = 0;
  try {
    WriteShortcuts(list, settings, [&](const ShortcutEntry&) { ++rows; });
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), std::string("Unable to write to ") + kConfigPath);
  }
  EXPECT_EQ(rows, 0);
}

// The main window with its real shortcut operations.
TEST_F(ShortcutStoreTest, StartUpBuildsTheTrayEntriesAndASecondSaveDoesNotDuplicateThem) {
  GivenConfig("[Option]\r\nSortMenu=0\r\n[Apps]\r\nC=http://c\r\nB=C:\\Apps\\b.exe\r\nA=D:\\Docs\r\n");
  app::TKWForm form(h.Ports());
  form.StartUp();
  EXPECT_EQ(TrayEntries(*form.trayPopupMenu), (std::vector<std::string>{"C", "B", "A"}));
  EXPECT_TRUE(form.shortcutPage.shortcutList.Selected(0));
  form.ShowMainWindow();
  EXPECT_FALSE(form.shortcutPage.shortcutsChanged);
  form.shortcutPage.shortcutList.SelectOnly(2);
  EXPECT_TRUE(form.shortcutPage.shortcutsChanged) << "a selection change counts";
  form.OnSaveButtonClicked();
  form.OnSaveButtonClicked();
  EXPECT_EQ(TrayEntries(*form.trayPopupMenu), (std::vector<std::string>{"C", "B", "A"}));

  form.groupedMenuBox.UserClick();  // grouped; takes effect at the next save
  EXPECT_EQ(TrayEntries(*form.trayPopupMenu).size(), 3u);
  ASSERT_TRUE(form.shortcutPage.shortcutList.AddShortcut("Z", "C:\\gone", false));
  form.OnSaveButtonClicked();
  EXPECT_EQ(TrayEntries(*form.trayPopupMenu), (std::vector<std::string>{"网址|C", "文件|B", "文件夹|A"}));
  EXPECT_NE(h.ConfigText().find("[Apps]\r\nA=D:\\Docs\r\nB=C:\\Apps\\b.exe\r\nC=http://c\r\nZ=C:\\gone"),
            std::string::npos)
      << h.ConfigText();
  EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(ShortcutStoreTest, RefreshDropsUnsavedEditsAndDoubleClickNeedsASelection) {
  GivenConfig("[Apps]\r\nA=D:\\Docs\r\n");
  app::TKWForm form(h.Ports());
  form.StartUp();
  form.shortcutPage.shortcutList.ClearSelection();
  form.OnShortcutRowDoubleClicked();
  EXPECT_TRUE(h.shell.calls.empty());
  form.shortcutPage.shortcutList.SelectOnly(0);
  form.OnShortcutRowDoubleClicked();
  ASSERT_EQ(h.shell.calls.size(), 1u);
  EXPECT_EQ(h.shell.calls[0].verb, "explore");
  ASSERT_TRUE(form.shortcutPage.shortcutList.AddShortcut("N", "http://n", false));
  form.OnRefreshButtonClicked();
  EXPECT_EQ(form.shortcutPage.shortcutList.Count(), 1u);
}

}  // namespace
}  // namespace tovr::shortcuts
