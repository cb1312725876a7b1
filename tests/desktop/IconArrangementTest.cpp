#include "desktop/IconArrangement.h"

#include <gtest/gtest.h>

namespace tovr::desktop {
namespace {

const WorkArea kArea{0, 0, 1024, 738};  // centre of the ellipses (496, 341)

using Placements = std::vector<IconPlacement>;

TEST(IconArrangementTest, OneRingOfFourWithTheTruncationsOfTheTurnConstant) {
  struct Case {
    int radius, ratio;
    Placements expected;
  };
  const Case cases[] = {
      {300, 100, {{0, 496, 41}, {1, 795, 341}, {2, 496, 640}, {3, 197, 341}}},
      {300, 150, {{0, 496, 41}, {1, 945, 341}, {2, 496, 640}, {3, 47, 341}}},
      // Lowered to min(496, 341) - 4 = 337.
      {500, 100, {{0, 496, 4}, {1, 832, 341}, {2, 496, 677}, {3, 160, 341}}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ArrangeIcons(kStyleEllipses, kArea, 4, {1, cases[i].radius, cases[i].ratio}), cases[i].expected)
        << "case " << i;
  }
}

TEST(IconArrangementTest, RingsTakeEqualSharesAndTheOuterRingTheRemainder) {
  // Each ring's first item sits at its top, 80 pixels lower per ring: 341 - 300, - 220, - 140.
  struct Case {
    int icons;
    std::vector<int> ringStarts;
  };
  const Case cases[] = {{10, {0, 4, 7}}, {9, {0, 3, 6}}, {2, {0}}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Placements got = ArrangeEllipses(kArea, cases[i].icons, {3, 300, 100});
    ASSERT_EQ(got.size(), static_cast<std::size_t>(cases[i].icons)) << "case " << i;
    for (std::size_t ring = 0; ring < cases[i].ringStarts.size(); ++ring) {
      const int item = cases[i].ringStarts[ring];
      EXPECT_EQ(got[static_cast<std::size_t>(item)], (IconPlacement{item, 496, 41 + 80 * static_cast<int>(ring)}))
          << "case " << i << " ring " << ring;
    }
  }
  EXPECT_EQ(ArrangeEllipses(kArea, 2, {3, 300, 100})[1], (IconPlacement{1, 496, 640}));  // outer ring
  EXPECT_TRUE(ArrangeEllipses(kArea, 0, {3, 300, 100}).empty());
}

TEST(IconArrangementTest, EdgesWrapStrictlyPastTheFarEdge) {
  struct Case {
    int style, count;
    IconPlacement lastOfLine, firstOfNext;
  };
  const Case cases[] = {
      {kStyleLeft, 10, {8, 20, 600}, {9, 95, 0}},      // 9 x 75 = 675 <= 738 < 750
      {kStyleRight, 10, {8, 969, 600}, {9, 894, 0}},
      {kStyleTop, 16, {14, 944, 20}, {15, 20, 86}},    // 15 x 66 = 990 <= 1024 < 1056
      {kStyleBottom, 16, {14, 944, 672}, {15, 20, 606}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Placements got = ArrangeIcons(cases[i].style, kArea, cases[i].count, {});
    ASSERT_EQ(got.size(), static_cast<std::size_t>(cases[i].count)) << "case " << i;
    EXPECT_EQ(got[got.size() - 2], cases[i].lastOfLine) << "case " << i;
    EXPECT_EQ(got.back(), cases[i].firstOfNext) << "case " << i;
  }
  // A slot whose far edge equals the limit still fits: 2 x 75 = 150.
  EXPECT_EQ(ArrangeAlongEdge(kStyleLeft, {0, 0, 100, 150}, 3)[1], (IconPlacement{1, 20, 75}));
  EXPECT_TRUE(ArrangeIcons(kStyleNone, kArea, 5, {}).empty());
  EXPECT_TRUE(ArrangeIcons(9, kArea, 5, {}).empty());
}

// At 150 % every spacing and margin is 1.5 times wider (truncated): 112 between columns, 99
// between rows, 30 of margin, rings 120 apart around (488, 327); the radius stays the user's.
TEST(IconArrangementTest, AtHundredFiftyPercentEverySpacingIsScaled) {
  const struct {
    int style, count;
    IconPlacement lastOfLine, firstOfNext;
  } edges[] = {
      {kStyleLeft, 7, {5, 30, 560}, {6, 142, 0}},      // 6 x 112 = 672 <= 738 < 784
      {kStyleRight, 7, {5, 942, 560}, {6, 830, 0}},
      {kStyleTop, 11, {9, 921, 30}, {10, 30, 129}},    // 10 x 99 = 990 <= 1024 < 1089
      {kStyleBottom, 11, {9, 921, 639}, {10, 30, 540}},
  };
  for (std::size_t i = 0; i < std::size(edges); ++i) {
    const Placements got = ArrangeIcons(edges[i].style, kArea, edges[i].count, {}, 144);
    ASSERT_EQ(got.size(), static_cast<std::size_t>(edges[i].count)) << "case " << i;
    EXPECT_EQ(got[got.size() - 2], edges[i].lastOfLine) << "case " << i;
    EXPECT_EQ(got.back(), edges[i].firstOfNext) << "case " << i;
  }
  EXPECT_EQ(ArrangeIcons(kStyleEllipses, kArea, 4, {1, 300, 100}, 144),
            (Placements{{0, 488, 27}, {1, 787, 327}, {2, 488, 626}, {3, 189, 327}}));
  const Placements rings = ArrangeEllipses(kArea, 9, {3, 300, 100}, 144);
  EXPECT_EQ(rings[3], (IconPlacement{3, 488, 147}));  // the second ring's top: 27 + 120
  EXPECT_EQ(ArrangeEllipses(kArea, 4, {1, 500, 100}, 144)[0], (IconPlacement{0, 488, 6}));  // lowered to 327 - 6
}

TEST(IconArrangementTest, AWorkAreaAwayFromTheListViewOriginMovesEveryPlacement) {
  // A second screen left of the primary one: the primary work area starts at x = 1280 in the
  // list view, and a top taskbar moves it 30 pixels down.
  const WorkArea moved{1280, 30, 1024, 738};
  EXPECT_EQ(ArrangeIcons(kStyleLeft, moved, 1, {})[0], (IconPlacement{0, 1300, 30}));
  EXPECT_EQ(ArrangeIcons(kStyleEllipses, moved, 4, {1, 300, 100})[1], (IconPlacement{1, 2075, 371}));
}

TEST(IconArrangementTest, PositionsAreSentAsSixteenBitHalves) {
  EXPECT_EQ(PackPosition(496, 41), 0x002901F0u);
  EXPECT_EQ(PackPosition(-80, 41), 0x0029FFB0u);     // a mirrored inner ring
  EXPECT_EQ(PackPosition(70000, -1), 0xFFFF1170u);   // cut to 16 bits
}

}  // namespace
}  // namespace tovr::desktop
