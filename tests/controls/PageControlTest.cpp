// The page control: the old page hides before the new one shows; only the user's selection
// runs OnChange, after both; pages are shown only while the control is showing.
#include "controls/PageControl.h"

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tovr::controls {
namespace {

class PageControlTest : public ::testing::Test {
 protected:
  PageControlTest()
      : pc_("pageControl", {{"shortcutsTab", "快捷方式"},
                            {"wallpaperTab", "桌面壁纸"},
                            {"memoryTab", "内存整理"},
                            {"settingsTab", "系统设置"}}) {
    for (auto& page : pc_.Pages()) {
      const std::string name = page.name;
      page.OnShow = [this, name] { log_.push_back("show:" + name); };
      page.OnHide = [this, name] { log_.push_back("hide:" + name); };
    }
    pc_.OnChange = [this] { log_.push_back("change:" + pc_.ActiveName()); };
    pc_.Changed = [this] { log_.push_back("view:" + pc_.ActiveName()); };
  }
  using Log = std::vector<std::string>;

  PageControl pc_;
  Log log_;
};

TEST_F(PageControlTest, ProgramSelectionHidesThenShowsWithoutOnChange) {
  pc_.SetActivePage("memoryTab");
  EXPECT_EQ(pc_.ActiveIndex(), 2);
  EXPECT_EQ(log_, (Log{"view:memoryTab", "hide:shortcutsTab", "show:memoryTab"}));
  log_.clear();
  pc_.SetActiveIndex(3);
  EXPECT_EQ(log_, (Log{"view:settingsTab", "hide:memoryTab", "show:settingsTab"}));
}

TEST_F(PageControlTest, UserSelectionRunsOnChangeAfterTheSwitch) {
  pc_.UserSelect(1);
  EXPECT_EQ(log_, (Log{"view:wallpaperTab", "hide:shortcutsTab", "show:wallpaperTab", "change:wallpaperTab"}));
}

TEST_F(PageControlTest, SelectingTheActivePageOrNoPageDoesNothing) {
  pc_.SetActiveIndex(1);
  log_.clear();
  pc_.SetActiveIndex(1);
  pc_.UserSelect(1);
  pc_.SetActiveIndex(4);
  pc_.SetActiveIndex(-1);
  pc_.UserSelect(7);
  pc_.SetActivePage("TSnone");
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(pc_.ActiveName(), "wallpaperTab");
  EXPECT_EQ(pc_.IndexOf("settingsTab"), 3);
  EXPECT_EQ(pc_.IndexOf("TSnone"), -1);
}

TEST_F(PageControlTest, PagesOfAHiddenControlAreNotShownUntilItShows) {
  pc_.SetShowing(false);
  EXPECT_EQ(log_, (Log{"hide:shortcutsTab"}));
  log_.clear();
  // Start-up selects pages in the hidden window: only the view follows.
  pc_.SetActivePage("wallpaperTab");
  pc_.SetActivePage("shortcutsTab");
  pc_.SetActivePage("settingsTab");
  EXPECT_EQ(log_, (Log{"view:wallpaperTab", "view:shortcutsTab", "view:settingsTab"}));
  log_.clear();
  pc_.SetShowing(true);
  pc_.SetShowing(true);
  EXPECT_EQ(log_, (Log{"show:settingsTab"}));
}

TEST_F(PageControlTest, SelectionFromAPageHandlerFollowsTheRunningSwitch) {
  // wallpaperTab's OnShow sends the control on to settingsTab: every page shown is hidden once, in order.
  pc_.Pages()[1].OnShow = [this] {
    log_.push_back("show:wallpaperTab");
    pc_.SetActivePage("settingsTab");
    log_.push_back("asked");
  };
  pc_.UserSelect(1);
  EXPECT_EQ(pc_.ActiveName(), "settingsTab");
  EXPECT_EQ(log_, (Log{"view:wallpaperTab", "hide:shortcutsTab", "show:wallpaperTab", "asked", "view:settingsTab",
                       "hide:wallpaperTab", "show:settingsTab", "change:settingsTab"}));
}

TEST_F(PageControlTest, ThrowingHandlerLeavesTheControlUsable) {
  pc_.Pages()[2].OnShow = [] { throw std::runtime_error("failed"); };
  EXPECT_THROW(pc_.SetActiveIndex(2), std::runtime_error);
  EXPECT_EQ(pc_.ActiveIndex(), 2);
  log_.clear();
  pc_.SetActiveIndex(0);
  EXPECT_EQ(log_, (Log{"view:shortcutsTab", "hide:memoryTab", "show:shortcutsTab"}));
}

TEST(PageControlEmptyTest, NoPagesMeansNoActivePage) {
  PageControl pc{"pageControl", {}};
  EXPECT_EQ(pc.ActiveIndex(), -1);
  EXPECT_EQ(pc.ActiveName(), "");
  pc.SetActiveIndex(0);
  pc.SetShowing(false);
  EXPECT_EQ(pc.ActiveIndex(), -1);
}

}  // namespace
}  // namespace tovr::controls
