// The wallpaper list: exact uniqueness, the longest path the system's buffer takes, and
// reordering by a drop inside the list.
#include "wallpaper/WallpaperList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tovr::wallpaper {
namespace {

TEST(WallpaperListTest, AddKeepsPathsExactlyUniqueAndRefusesPathsTooLongForTheBuffer) {
  std::vector<std::string> looked;  // an icon is looked up when the view first asks for it
  WallpaperList list{[&looked](const std::string& path) {
    looked.push_back(path);
    return 4;
  }};
  EXPECT_EQ(list.Add("C:\\Pics\\a.jpg"), AddResult::Added);
  EXPECT_EQ(list.Add("C:\\Pics\\a.jpg"), AddResult::Duplicate);
  EXPECT_EQ(list.Add("C:\\PICS\\A.JPG"), AddResult::Added);  // another letter case: another row
  EXPECT_TRUE(looked.empty());
  EXPECT_EQ(list.IconIndex(0), 4);
  EXPECT_EQ(list.IconIndex(0), 4);
  ASSERT_TRUE(list.SetPath(1, "C:\\Pics\\b.jpg"));  // Modify keeps the icon of the path it had
  EXPECT_EQ(looked, (std::vector<std::string>{"C:\\Pics\\a.jpg", "C:\\PICS\\A.JPG"}));

  // 259 UTF-16 units fit with the terminating NUL; 260 do not. A Chinese character is one
  // unit (three UTF-8 bytes), a character outside the BMP two.
  struct Case {
    std::string path;
    AddResult want;
  };
  const std::string base = "C:\\" + std::string(251, 'p');  // 254 units
  const Case cases[] = {
      {base + ".jpg1", AddResult::Added},            // 0: 259
      {base + ".jpg12", AddResult::TooLong},         // 1: 260
      {base + "图.bmp", AddResult::Added},           // 2: 259 units, 261 bytes
      {base + "图图.bmp", AddResult::TooLong},       // 3: 260 units
      {base + "\xF0\x9F\x98\x80.gif", AddResult::TooLong},  // 4: 254 + 2 + 4 units
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(list.Add(cases[i].path), cases[i].want) << "case " << i;
  }
  const std::size_t rows = list.Count();
  EXPECT_FALSE(list.SetPath(0, base + ".jpg12")) << "modify is refused the same way";
  EXPECT_EQ(list[0].path, "C:\\Pics\\a.jpg");
  EXPECT_EQ(list.Count(), rows);
}

TEST(WallpaperListTest, DropMovesTheSelectedRowsBeforeTheTargetAndLosesNoRow) {
  struct Case {
    std::vector<std::size_t> selected;
    std::optional<std::size_t> target;
    std::string want;  // the rows' original numbers, in the new order
  };
  const Case cases[] = {
      {{1, 3}, 5, "024135"},             // 0: before row 5, in their order
      {{1, 3}, std::nullopt, "024513"},  // 1: below the last row: at the end
      {{1, 3}, 0, "130245"},             // 2: to the top
      {{4}, 2, "014235"},                // 3: upwards
      {{1, 3}, 3, "021345"},             // 4: onto a dragged row: before the next unselected one
      {{1, 3}, 1, "013245"},             // 5: onto the first dragged row
      {{4, 5}, 5, "012345"},             // 6: onto the last dragged row: no row after it
      {{0, 1, 2, 3, 4, 5}, 2, "012345"}, // 7: all dragged
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    WallpaperList list{nullptr};
    for (char c : std::string("012345")) list.Add(std::string(1, c));
    for (std::size_t row : cases[i].selected) list.SetSelected(row, true);
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.MoveSelectedBefore(cases[i].target);
    std::string order;
    std::vector<std::size_t> selectedNow;
    for (std::size_t r = 0; r < list.Count(); ++r) {
      order += list[r].path;
      if (list.Selected(r)) selectedNow.push_back(r);
    }
    EXPECT_EQ(order, cases[i].want) << "case " << i;
    EXPECT_EQ(selectedNow.size(), cases[i].selected.size()) << "case " << i << ": the moved rows stay selected";
    for (std::size_t r : selectedNow) {
      EXPECT_NE(std::find(cases[i].selected.begin(), cases[i].selected.end(),
                          static_cast<std::size_t>(list[r].path[0] - '0')),
                cases[i].selected.end())
          << "case " << i << " row " << r;
    }
    EXPECT_EQ(changes, 1) << "case " << i;
    EXPECT_EQ(list.Add("3"), AddResult::Duplicate) << "case " << i << ": the index still knows every row";
  }
}

}  // namespace
}  // namespace tovr::wallpaper
