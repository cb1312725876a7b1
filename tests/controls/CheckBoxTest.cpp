// Check boxes and radio groups: a state change runs the click handler once, after the view
// has heard of it; no change runs nothing; handlers that change controls do not recurse.
#include "controls/CheckBox.h"

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tovr::controls {
namespace {

TEST(CheckBoxTest, ClickHandlerRunsOnlyWhenTheStateChanges) {
  struct Case {
    bool start;
    bool set;
    int clicks;
  };
  const Case cases[] = {{false, true, 1}, {false, false, 0}, {true, false, 1}, {true, true, 0}};
  int n = 0;
  for (const Case& c : cases) {
    ++n;
    CheckBox box{"timedChangeBox"};
    box.SetChecked(c.start);
    int clicks = 0, notified = 0;
    box.OnClick = [&] { ++clicks; };
    box.Changed = [&] { ++notified; };
    box.SetChecked(c.set);
    EXPECT_EQ(box.Checked(), c.set) << "case " << n;
    EXPECT_EQ(clicks, c.clicks) << "case " << n;
    EXPECT_EQ(notified, c.clicks) << "case " << n;
  }
}

TEST(CheckBoxTest, ViewHearsOfTheNewStateBeforeTheHandlerRuns) {
  CheckBox box{"translucentWindowBox"};
  std::vector<std::string> log;
  box.Changed = [&] { log.push_back(box.Checked() ? "view:on" : "view:off"); };
  box.OnClick = [&] { log.push_back(box.Checked() ? "click:on" : "click:off"); };
  box.UserClick();
  box.UserClick();
  EXPECT_EQ(log, (std::vector<std::string>{"view:on", "click:on", "view:off", "click:off"}));
}

TEST(CheckBoxTest, DisabledBoxIgnoresTheUserButNotTheProgram) {
  CheckBox box{"CBox"};
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  box.SetEnabled(false);
  box.UserClick();
  EXPECT_FALSE(box.Checked());
  box.SetChecked(true);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicks, 1);
}

TEST(CheckBoxTest, HandlerThatUnticksItsOwnBoxRunsOnce) {
  // A box whose handler refuses the tick (a transparent background needs the periodic
  // re-apply): the view follows both changes, the handler does not run itself again.
  CheckBox c4{"transparentTextBackBox"};
  CheckBox refresh{"iconRefreshBox"};
  int clicks = 0, notified = 0;
  c4.Changed = [&] { ++notified; };
  c4.OnClick = [&] {
    ++clicks;
    if (c4.Checked() && !refresh.Checked()) c4.SetChecked(false);
  };
  c4.SetChecked(true);
  EXPECT_FALSE(c4.Checked());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(notified, 2);
  // The guard is per handler run: the next change runs it again.
  refresh.SetChecked(true);
  c4.UserClick();
  EXPECT_TRUE(c4.Checked());
  EXPECT_EQ(clicks, 2);
}

TEST(CheckBoxTest, HandlerMayTickAnotherBoxWhoseHandlerRuns) {
  CheckBox cb{"transitionAnimationBox"}, ca{"timedChangeBox"}, cn{"randomOrderBox"};
  std::vector<std::string> log;
  cn.SetChecked(true);
  cb.OnClick = [&] {
    log.push_back("OnTransitionAnimationClicked");
    if (cb.Checked()) {
      ca.SetChecked(true);
      cn.SetChecked(false);
    }
  };
  ca.OnClick = [&] { log.push_back("OnTimedChangeClicked"); };
  cn.OnClick = [&] { log.push_back("OnRandomOrderClicked"); };
  cb.SetChecked(true);
  EXPECT_EQ(log,
            (std::vector<std::string>{"OnTransitionAnimationClicked", "OnTimedChangeClicked", "OnRandomOrderClicked"}));
  // Loading the same state again changes nothing and runs nothing.
  log.clear();
  cb.SetChecked(true);
  ca.SetChecked(true);
  EXPECT_TRUE(log.empty());
}

TEST(CheckBoxTest, HandlerRunsAgainAfterItThrew) {
  CheckBox box{"autoRunBox"};
  int clicks = 0;
  box.OnClick = [&] {
    ++clicks;
    throw std::runtime_error("refused");
  };
  EXPECT_THROW(box.SetChecked(true), std::runtime_error);
  EXPECT_TRUE(box.Checked());
  EXPECT_THROW(box.SetChecked(false), std::runtime_error);
  EXPECT_EQ(clicks, 2);
}

class RadioGroupTest : public ::testing::Test {
 protected:
  RadioGroupTest() {
    for (int i = 0; i < 6; ++i) {
      buttons_[i].OnClick = [this, i] { clicked_.push_back(i); };
      buttons_[i].Changed = [this, i] {
        notified_.push_back(i);
        // Whoever observes a change sees at most one ticked button in the group.
        int ticked = 0;
        for (const RadioButton* b : group_.Buttons()) ticked += b->Checked() ? 1 : 0;
        EXPECT_LE(ticked, 1) << "observing button " << i;
      };
    }
  }

  RadioGroup group_;
  RadioButton buttons_[6] = {{"iconStyleNoneRadio", "", group_, 0},   {"iconStyleLeftRadio", "", group_, 1},
                             {"iconStyleRightRadio", "", group_, 2},  {"iconStyleTopRadio", "", group_, 3},
                             {"iconStyleBottomRadio", "", group_, 4}, {"iconStyleEllipsesRadio", "", group_, 5}};
  std::vector<int> clicked_, notified_;
};

TEST_F(RadioGroupTest, TickingOneUnticksTheOthersAndRunsOnlyItsOwnClick) {
  buttons_[0].SetChecked(true);
  clicked_.clear();
  notified_.clear();
  buttons_[5].UserClick();
  EXPECT_EQ(group_.CheckedIndex(), 5);
  EXPECT_FALSE(buttons_[0].Checked());
  EXPECT_EQ(clicked_, std::vector<int>{5});
  EXPECT_EQ(notified_, (std::vector<int>{0, 5}));
}

TEST_F(RadioGroupTest, TickingTheTickedButtonOrUntickingRunsNoClick) {
  buttons_[3].SetChecked(true);
  clicked_.clear();
  buttons_[3].SetChecked(true);
  buttons_[3].UserClick();
  EXPECT_TRUE(clicked_.empty());
  buttons_[3].SetChecked(false);
  EXPECT_TRUE(clicked_.empty());
  EXPECT_EQ(group_.CheckedIndex(), -1);
}

TEST(RadioGroupLifetimeTest, ButtonLeavesItsGroupWhenDestroyed) {
  RadioGroup group;
  RadioButton kept{"A", "", group};
  {
    RadioButton gone{"B", "", group};
    group.Add(&gone);  // joining twice changes nothing
    EXPECT_EQ(group.Buttons().size(), 2u);
    gone.SetChecked(true);
  }
  ASSERT_EQ(group.Buttons().size(), 1u);
  EXPECT_EQ(group.CheckedIndex(), -1);
  kept.SetChecked(true);  // would touch the destroyed button if it were still listed
  EXPECT_EQ(group.CheckedIndex(), 0);
}

}  // namespace
}  // namespace tovr::controls
