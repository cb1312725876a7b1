// The wallpaper page: the list in [Pics], the rotation order, the minute tick, the tray command,
// the editing commands and drops, and the animated page.
#include <gtest/gtest.h>

#include <set>

#include "support/ErrorOf.h"
#include "wallpaper/WallpaperHarness.h"
#include "wallpaper/WallpaperPageWriter.h"

namespace tovr::wallpaper {
namespace {

TEST(WallpaperPageTest, PicsLoadInFileOrderAndSaveAsZeroOneTwo) {
  WallpaperHarness h;
  h.GivenConfig("[Pics]\r\n5=C:\\p\\five.jpg\r\n2=C:\\p\\two.bmp\r\n9=C:\\p\\nine.gif\r\n7=C:\\p\\two.bmp\r\n");
  h.SetCurrent("C:\\p\\two.bmp");
  h.page.LoadWallpaperList(h.settings);
  EXPECT_EQ(h.Paths(), (std::vector<std::string>{"C:\\p\\five.jpg", "C:\\p\\two.bmp", "C:\\p\\nine.gif"}));
  EXPECT_EQ(h.Selected(), std::vector<std::size_t>{1}) << "the current wallpaper's row";
  EXPECT_EQ(h.page.wallpaperPreview.Picture(), "C:\\p\\two.bmp");
  h.page.SaveWallpaperList(h.settings);
  EXPECT_EQ(h.ConfigText(), "[Pics]\r\n0=C:\\p\\five.jpg\r\n1=C:\\p\\two.bmp\r\n2=C:\\p\\nine.gif\r\n");
}

TEST(WallpaperPageTest, SequentialOrderWrapsAndSkipsTheCurrentPicture) {
  struct Case {
    int rows;
    std::optional<std::size_t> selected;
    std::size_t want;
  };
  const Case cases[] = {{3, 2, 0}, {3, std::nullopt, 1}, {3, 0, 1}, {1, 0, 0}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    WallpaperHarness h;
    for (int r = 0; r < cases[i].rows; ++r) h.page.wallpaperList.Add("C:\\p\\" + std::to_string(r) + ".bmp");
    if (cases[i].selected) h.page.wallpaperList.SetSelected(*cases[i].selected, true);
    h.SetCurrent("C:\\p\\0.bmp");
    h.page.PickNextWallpaper();
    EXPECT_EQ(h.Selected(), std::vector<std::size_t>{cases[i].want}) << "case " << i;
    EXPECT_EQ(h.Current(), h.page.wallpaperList[cases[i].want].path) << "case " << i;
    // Row 0 is the wallpaper already: it is not applied again (also the single row of case 3).
    EXPECT_EQ(h.system.applied.size(), cases[i].want == 0 ? 0u : 1u) << "case " << i;
    EXPECT_EQ(h.log.back(), "ApplyIconStyle") << "case " << i;
  }
}

TEST(WallpaperPageTest, RandomOrderNeverRedrawsTheCurrentPictureAndEndsWhenItIsTheOnlyOne) {
  WallpaperHarness h;
  h.GivenRows({"C:\\p\\a.bmp", "C:\\p\\b.bmp", "C:\\p\\c.bmp"});
  h.page.randomOrderBox.SetChecked(true);
  std::set<std::string> seen;
  for (int n = 0; n < 60; ++n) {
    const std::string before = h.Current();
    h.page.PickNextWallpaper();
    EXPECT_NE(h.Current(), before) << "draw " << n;
    seen.insert(h.Current());
  }
  EXPECT_EQ(seen.size(), 3u);

  WallpaperHarness one;  // every row is the current picture: it stays
  one.GivenRows({"C:\\p\\a.bmp"});
  one.page.wallpaperList.Add("C:\\p\\b.bmp");
  one.page.wallpaperList.SetPath(1, "C:\\p\\a.bmp");  // modify can make a duplicate
  one.page.randomOrderBox.SetChecked(true);
  one.SetCurrent("C:\\p\\a.bmp");
  one.page.PickNextWallpaper();
  EXPECT_EQ(one.Selected(), std::vector<std::size_t>{0});
  EXPECT_TRUE(one.system.applied.empty());
}

TEST(WallpaperPageTest, MinuteTickCountsDownPicksAndRestartsOrStops) {
  WallpaperHarness h;
  h.GivenRows({"C:\\p\\a.bmp", "C:\\p\\b.bmp"});
  h.page.wallpaperTimer.SetEnabled(true);
  h.page.changeInterval = 3;
  h.page.minutesLeft = 2;
  h.page.OnWallpaperTimer();
  EXPECT_EQ(h.page.minutesLeft, 1);
  EXPECT_TRUE(h.system.applied.empty());
  h.page.OnWallpaperTimer();
  EXPECT_EQ(h.system.applied, std::vector<std::string>{"C:\\p\\b.bmp"});
  EXPECT_EQ(h.page.minutesLeft, 3);
  EXPECT_EQ(h.page.minutesLeftLabel.Caption(), "少于 3 分钟");
  h.page.changeInterval = 0;  // no interval loaded or saved: the tick stops the timer
  h.page.minutesLeft = 1;
  h.page.OnWallpaperTimer();
  EXPECT_FALSE(h.page.wallpaperTimer.Enabled());
  EXPECT_EQ(h.page.minutesLeftLabel.Caption(), "少于 0 分钟");
}

TEST(WallpaperPageTest, TrayCommandStartsFromRowZeroAndEndsTheAnimatedPage) {
  WallpaperHarness empty;
  empty.GivenConfig("[Option]\r\nDynamicDesk=1\r\n");
  empty.page.OnNextWallpaperItemClicked(empty.settings);
  EXPECT_EQ(empty.ConfigText(), "[Option]\r\nDynamicDesk=1\r\n") << "an empty list: nothing";

  WallpaperHarness h;
  h.GivenConfig("[Option]\r\nDynamicDesk=1\r\n");
  h.GivenRows({"C:\\p\\a.bmp", "C:\\p\\b.bmp", "C:\\p\\c.bmp"});
  h.page.transitionAnimationBox.SetChecked(true);
  h.page.transitionEffectCombo.SetEnabled(true);
  h.page.OnNextWallpaperItemClicked(h.settings);
  EXPECT_EQ(h.Current(), "C:\\p\\b.bmp");
  EXPECT_FALSE(h.page.transitionAnimationBox.Checked());
  EXPECT_FALSE(h.page.transitionEffectCombo.Enabled());
  EXPECT_EQ(h.ConfigText(), "[Option]\r\nDynamicDesk=0\r\n");
}

TEST(WallpaperPageTest, DeleteReselectsAtTheLowestRemovedRow) {
  WallpaperHarness h;
  h.GivenRows({"0", "1", "2", "3", "4", "5"});
  h.page.wallpaperList.SetSelected(2, true);
  h.page.wallpaperList.SetSelected(4, true);
  h.page.editing.OnDeleteButtonClicked();
  EXPECT_EQ(h.Paths(), (std::vector<std::string>{"0", "1", "3", "5"}));
  EXPECT_EQ(h.Selected(), std::vector<std::size_t>{2});
  EXPECT_EQ(h.page.wallpaperPreview.Picture(), "3");
  h.page.wallpaperList.SetSelected(0, true);
  h.page.wallpaperList.SetSelected(1, true);
  h.page.wallpaperList.SetSelected(3, true);
  h.page.editing.OnDeleteButtonClicked();
  EXPECT_TRUE(h.Paths().empty());
  EXPECT_EQ(h.page.wallpaperPreview.Picture(), "");
}

TEST(WallpaperPageTest, DropsAddPicturesByExtensionAndRefuseOthersOneByOne) {
  WallpaperHarness h;
  h.page.wallpaperChanged = false;
  for (const char* p : {"C:\\p\\A.JPG", "C:\\p\\notes.txt", "C:\\p\\README", "C:\\p.d\\x.Wmf", "C:\\p\\A.JPG"}) {
    h.page.editing.DropFile(p);
  }
  EXPECT_EQ(h.Paths(), (std::vector<std::string>{"C:\\p\\A.JPG", "C:\\p.d\\x.Wmf"}));
  ASSERT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[0].text, "不支持的图形格式");
  EXPECT_EQ(h.messages.shown[0].caption, "错误");
  EXPECT_EQ(h.messages.shown[0].flags, 0x1030u);
  EXPECT_TRUE(h.page.wallpaperChanged && h.page.wallpaperApplyPending);
}

TEST(WallpaperPageTest, FolderAndDialogAddsAreSortedUniqueAndNameTooLongPathsOnce) {
  WallpaperHarness h;
  for (const char* name : {"b.JPG", "A.gif", "c.bmp", "notes.txt", "d.jpeg"}) h.fs.SetFile(std::string("D:\\") + name, "x");
  h.dialogs.folders = {"D:\\"};
  h.dialogs.menuChoice = "addPictureFolderItem";
  h.page.editing.OnAddButtonClicked();
  EXPECT_EQ(h.dialogs.log,
            (std::vector<std::string>{"menu addPictureMenu below addButton", "folder 请指定要选择的文件夹"}));
  EXPECT_EQ(h.Paths(), (std::vector<std::string>{"D:\\A.gif", "D:\\b.JPG", "D:\\c.bmp", "D:\\d.jpeg"}));

  const std::string longPath = "E:\\" + std::string(300, 'x') + ".jpg";
  h.dialogs.pictures = {{"E:\\z.bmp", longPath, "D:\\A.gif", longPath + "2"}};
  h.page.editing.OnAddPictureFilesClicked();
  EXPECT_EQ(h.Paths().back(), "E:\\z.bmp");
  EXPECT_EQ(h.Paths().size(), 5u);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_NE(h.messages.shown[0].text.find(longPath + "\r\n" + longPath + "2"), std::string::npos);
}

TEST(WallpaperPageTest, AnimatedPageIsWrittenByteForByteThenMadeTheWallpaper) {
  WallpaperHarness h;
  h.GivenRows({"C:\\a.jpg", "C:\\b.bmp", "D:\\x\\c.gif"});
  h.page.transitionEffectCombo.SetItemIndex(12);
  h.page.intervalMinutes.SetValue(5);
  h.SetCurrent("C:\\a.jpg");
  h.page.ApplyAnimatedWallpaper();
  const std::string want =
      "<html><head></head><body onload=ChangePic()>\r\n"
      "<script language=\"javascript\">var Pics=new Array();\r\n"
      "Pics[1]=\"file:///C:/a.jpg\";\r\n"
      "Pics[2]=\"file:///C:/b.bmp\";\r\n"
      "Pics[3]=\"file:///D:/x/c.gif\";\r\n"
      "var i=0;function ChangePic()\r\n"
      "{i++;mh1.src=Pics[i];if (i==3) i=0;\r\n"
      "mh.filters.revealTrans.transition=12;\r\n"
      "mh.filters.revealTrans.Duration=2;mh.filters.revealTrans.Apply();mh.filters.revealTrans.Play();\r\n"
      "setTimeout(\"ChangePic()\",300000);}\r\n"
      "</script><p><div  id=\"mh\" style=\"filter:revealTrans(Duration=1.0,Transition=12); position:absolute; "
      "left:0; top:0\">\r\n"
      "<p align=\"center\"><img id=\"mh1\" border=\"0\" src=\"\" width=\"1024\" height=\"768\" >\r\n"
      "</p></div></body></html>\r\n";
  EXPECT_EQ(h.fs.File("C:\\WINDOWS\\TovrWall.htm"), want);
  // Emptied first (Active Desktop is off: the classic way), then the page through Active Desktop.
  EXPECT_EQ(h.system.applied, std::vector<std::string>{""});
  EXPECT_EQ(h.activeDesktop.calls,
            (std::vector<std::string>{"SetWallpaper(C:\\WINDOWS\\TovrWall.htm)", "ApplyChanges(7)"}));
  EXPECT_EQ(h.Current(), "C:\\WINDOWS\\TovrWall.htm");
  EXPECT_EQ(h.log.back(), "ApplyIconStyle");
  EXPECT_EQ(WallpaperPageText({}, {-1, 60000, 800, 600}).find("Pics[1]"), std::string::npos);
  EXPECT_NE(WallpaperPageText({}, {-1, 60000, 800, 600}).find("if (i==0) i=0;"), std::string::npos);
}

TEST(WallpaperPageTest, AnimatedPageThatCannotBeShownOrWrittenLeavesTheWallpaper) {
  WallpaperHarness seven;  // no HTML desktop: one box, once per run, nothing else
  seven.system.support = ActiveDesktopSupport::PicturesOnly;
  seven.GivenRows({"C:\\a.jpg"});
  seven.SetCurrent("C:\\a.jpg");
  seven.page.ApplyAnimatedWallpaper();
  seven.page.ApplyAnimatedWallpaper();
  ASSERT_EQ(seven.messages.shown.size(), 1u);
  EXPECT_EQ(seven.messages.shown[0].text, kNoHtmlDesktopText);
  EXPECT_EQ(seven.messages.shown[0].flags, 0x1030u);
  EXPECT_FALSE(seven.fs.File("C:\\WINDOWS\\TovrWall.htm"));
  EXPECT_EQ(seven.Current(), "C:\\a.jpg");

  WallpaperHarness h;  // the Windows folder refuses the page: the error, the wallpaper kept
  h.fs.SetReadOnly("C:\\WINDOWS");
  h.SetCurrent("C:\\a.jpg");
  EXPECT_EQ(testing::ErrorOf([&] { h.page.ApplyAnimatedWallpaper(); }),
            "Unable to write to C:\\WINDOWS\\TovrWall.htm");
  EXPECT_EQ(h.Current(), "C:\\a.jpg");
  EXPECT_TRUE(h.activeDesktop.calls.empty());
}

}  // namespace
}  // namespace tovr::wallpaper
