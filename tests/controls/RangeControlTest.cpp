// Spin edits and sliders: every value set is clamped to the range, a new value runs OnChange
// once, a range change moves only the bounds.
#include "controls/RangeControl.h"

#include <climits>
#include <vector>

#include <gtest/gtest.h>

namespace tovr::controls {
namespace {

TEST(RangeControlTest, SetValueClampsAndRunsOnChangeOnlyForANewValue) {
  struct Case {
    int min, max, start, set;
    int value;
    int changes;
  };
  const Case cases[] = {
      {20, 255, 200, 100, 100, 1},        // inside
      {20, 255, 200, 200, 200, 0},        // same value
      {20, 255, 200, 5, 20, 1},           // below: the minimum
      {20, 255, 200, 300, 255, 1},        // above: the maximum
      {20, 255, 255, 1000, 255, 0},       // clamps onto the value it has: no change
      {20, 255, 20, -7, 20, 0},           // likewise at the minimum
      {0, 3600, 5, 0, 0, 1},              // the lower bound itself
      {1, 600, 60, INT_MAX, 600, 1},      // extreme input
      {1, 600, 60, INT_MIN, 1, 1},
  };
  int n = 0;
  for (const Case& c : cases) {
    ++n;
    SpinEdit spin{"intervalMinutes", c.min, c.max, c.start};
    int changes = 0, notified = 0;
    spin.OnChange = [&] { ++changes; };
    spin.Changed = [&] { ++notified; };
    spin.SetValue(c.set);
    EXPECT_EQ(spin.Value(), c.value) << "case " << n;
    EXPECT_EQ(changes, c.changes) << "case " << n;
    EXPECT_EQ(notified, c.changes) << "case " << n;
  }
}

TEST(RangeControlTest, ConstructionClampsTheInitialValue) {
  TrackBar below{"memoryLimitSlider", 2, 100, 0};
  TrackBar above{"defragmentSizeSlider", 2, 1024, 5000};
  TrackBar reversed{"cpuLimitSlider", 50, 10, 30};  // a max below min is raised to min
  EXPECT_EQ(below.Value(), 2);
  EXPECT_EQ(above.Value(), 1024);
  EXPECT_EQ(reversed.Max(), 50);
  EXPECT_EQ(reversed.Value(), 50);
}

TEST(RangeControlTest, NarrowedRangeKeepsTheValueUntilItIsNextSet) {
  // Start-up sets the radius's bound last, so a larger stored radius stays until edited.
  SpinEdit radius{"circleRadius", 0, 10000, 900};
  int changes = 0, notified = 0;
  radius.OnChange = [&] { ++changes; };
  radius.Changed = [&] { ++notified; };
  radius.SetMax(384);
  EXPECT_EQ(radius.Max(), 384);
  EXPECT_EQ(radius.Value(), 900);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(notified, 1);  // the view follows the bounds
  radius.UserSetValue(910);
  EXPECT_EQ(radius.Value(), 384);
  EXPECT_EQ(changes, 1);
  radius.SetRange(0, 384);  // unchanged bounds: nothing
  EXPECT_EQ(notified, 2);
}

TEST(RangeControlTest, NarrowedRangeClampsASlidersPositionAtOnce) {
  TrackBar level{"defragmentSizeSlider", 2, 1024, 1024};
  std::vector<int> changes;
  int notified = 0;
  level.OnChange = [&] { changes.push_back(level.Value()); };
  level.Changed = [&] { ++notified; };
  level.SetMax(513);   // below the position: clamped, one change
  level.SetMax(2000);  // wider: the position stays
  level.SetRange(600, 2000);  // above the position: raised to the new minimum
  EXPECT_EQ(level.Value(), 600);
  EXPECT_EQ(changes, (std::vector<int>{513, 600}));
  EXPECT_EQ(notified, 3);
}

TEST(RangeControlTest, ReversedRangeIsRaisedToTheMinimum) {
  SpinEdit spin{"ringCount", 1, 10, 5};
  spin.SetRange(8, 3);
  EXPECT_EQ(spin.Min(), 8);
  EXPECT_EQ(spin.Max(), 8);
  spin.SetValue(1);
  EXPECT_EQ(spin.Value(), 8);
}

TEST(RangeControlTest, ChangeHandlerSettingItsOwnValueRunsOnce) {
  // A handler that snaps the value to its step: state and view follow, no recursion.
  SpinEdit spin{"windowAlphaEdit", 20, 255, 200};
  spin.SetIncrement(5);
  int changes = 0;
  spin.OnChange = [&] {
    ++changes;
    spin.SetValue(spin.Value() / spin.Increment() * spin.Increment());
  };
  spin.SetValue(123);
  EXPECT_EQ(spin.Value(), 120);
  EXPECT_EQ(changes, 1);
  spin.SetIncrement(0);
  EXPECT_EQ(spin.Increment(), 1);
}

}  // namespace
}  // namespace tovr::controls
