// The page's commands on startupList, and the main window's startup page as a whole.
#include <gtest/gtest.h>

#include "app/FormHarness.h"
#include "startup/StartupTestBed.h"

namespace tovr::startup {
namespace {

class StartupPageTest : public ::testing::Test {
 protected:
  void Load() {
    t.page.ClearStartupList();
    t.page.LoadStartupEntries();
  }
  void SetUp() override {
    for (const char* name : {"A", "B", "C", "D", "E"}) t.Put(kHkcu, kRun, name, std::string(name) + ".exe");
    Load();
    t.icons.Set("C:\\Apps\\new.exe", 21);
  }
  StartupTestBed t;
  StartupList& startupList = t.page.startupList;
};

TEST_F(StartupPageTest, ModifyChangesTheFirstSelectedRowsCommandOnly) {
  t.dialogs.files = {"C:\\Apps\\new.exe"};
  t.page.OnModifyButtonClicked();  // no selection: no dialog
  EXPECT_TRUE(t.dialogs.log.empty());
  startupList.SetSelected(3, true);
  startupList.SetSelected(1, true);
  t.page.OnModifyButtonClicked();
  EXPECT_EQ(t.Rows()[1], "B|C:\\Apps\\new.exe|当前用户|1");
  EXPECT_EQ(startupList[1].iconIndex, 21);
  EXPECT_EQ(t.Rows()[3], "D|D.exe|当前用户|1");
}

TEST_F(StartupPageTest, DeleteRemovesTheSelectionAndSelectsTheRowAtTheTopmostGap) {
  struct Case {
    std::vector<std::size_t> select;
    std::size_t remaining;
    std::optional<std::size_t> selectedAfter;
  };
  const Case cases[] = {{{3, 4}, 3, 2}, {{1, 3}, 3, 1}, {{}, 5, std::nullopt}, {{0, 1, 2, 3, 4}, 0, std::nullopt}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Load();
    for (std::size_t row : cases[i].select) startupList.SetSelected(row, true);
    t.page.OnDeleteButtonClicked();
    EXPECT_EQ(startupList.Count(), cases[i].remaining) << "case " << i;
    EXPECT_EQ(startupList.FirstSelected(), cases[i].selectedAfter) << "case " << i;
    EXPECT_EQ(startupList.SelectedRows().size(), cases[i].selectedAfter ? 1u : 0u) << "case " << i;
  }
}

TEST_F(StartupPageTest, DoubleClickOpensTheFirstSelectedCommandWholeAndHidden) {
  t.page.OnStartupRowDoubleClicked();
  EXPECT_TRUE(t.shell.calls.empty());
  startupList.SetSelected(4, true);
  startupList.SetSelected(2, true);
  t.page.OnStartupRowDoubleClicked();
  ASSERT_EQ(t.shell.calls.size(), 1u);
  const FakeShellExecute::Call& c = t.shell.calls[0];
  EXPECT_EQ(c.verb + "|" + c.file + "|" + c.parameters + "|" + c.directory + "|" + std::to_string(c.show),
            "open|C.exe|||0");
}

// Start-up load, Add on startupTab with the name from the file, the save, a rename sorted again and
// the close without saving.
TEST(StartupFormTest, SideButtonsSaveAndCloseReachTheStartupPage) {
  app::FormHarness h;
  h.GivenOptions("Greeting=Thank\r\n");
  h.registry.Put(kHkcu, kRunKeyPath, "B", RegValue::FromString("b.exe"));
  app::TKWForm form(h.Ports());
  form.StartUp();
  StartupList& startupList = form.startupPage.startupList;
  ASSERT_EQ(startupList.Count(), 1u);
  form.ShowMainWindow();
  form.pageControl.UserSelect(app::kPageStartup);
  h.dialogs.files = {std::nullopt, "C:\\Apps\\zeta.exe"};
  form.addButton.UserClick();  // cancelled
  EXPECT_FALSE(form.startupPage.startupChanged);
  form.addButton.UserClick();
  EXPECT_TRUE(form.startupPage.startupChanged);
  form.saveButton.UserClick();
  EXPECT_EQ(h.registry.Peek(kHkcu, kRunKeyPath, "zeta.exe"), RegValue::FromString("C:\\Apps\\zeta.exe"));
  startupList.SelectOnly(1);
  startupList.OnStartupNameEdited(1, "A");
  EXPECT_EQ(startupList[0].name + startupList[1].name, "AB");
  EXPECT_TRUE(startupList.Selected(0));
  form.deleteButton.UserClick();
  form.closeButton.UserClick();  // the unsaved rename and delete are dropped
  EXPECT_EQ(startupList.Count(), 2u);
  EXPECT_EQ(startupList[1].name, "zeta.exe");
  EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace tovr::startup
