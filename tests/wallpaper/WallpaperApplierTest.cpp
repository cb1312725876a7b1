// Applying a wallpaper: the recorded-current check, the "ShellState" bit, the Active Desktop
// path and the classic path, the icon-hiding re-assertion and the record; systems without
// Active Desktop.
#include <gtest/gtest.h>

#include "wallpaper/WallpaperHarness.h"

namespace tovr::wallpaper {
namespace {

std::optional<std::string> DesktopValue(WallpaperHarness& h, const char* name) {
  auto v = h.registry.Peek(RegRoot::CurrentUser, kDesktopKey, name);
  return v ? std::optional<std::string>(v->Text()) : std::nullopt;
}

TEST(WallpaperApplierTest, ShellStateBitIsSetOnlyForJpegAndOnlyWhenOff) {
  struct Case {
    std::uint8_t byte4;
    std::size_t length;
    bool nt;
    std::uint8_t want;        // byte 4 afterwards
    std::size_t writtenSize;  // 0: not written
  };
  const Case cases[] = {
      {0x22, 36, true, 0x62, 128},   // 0: off: the bit is added, 128 bytes on NT
      {0x40, 36, true, 0x40, 128},   // 1: exactly 0x40 counts as off; the byte stays
      {0x62, 36, true, 0x62, 0},     // 2: on: nothing written
      {0x22, 36, false, 0x62, 5},    // 3: Windows 9x: 5 bytes
      {0x22, 200, true, 0x62, 200},  // 4: a longer value is written back whole, never cut
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    WallpaperHarness h;
    h.system.nt = cases[i].nt;
    h.SetShellStateByte4(cases[i].byte4, cases[i].length);
    h.page.SetWallpaper("C:\\Pics\\a.JPEG");
    const auto state = h.ShellState();
    EXPECT_EQ(state[4], cases[i].want) << "case " << i;
    EXPECT_EQ(state.size(), cases[i].writtenSize ? cases[i].writtenSize : cases[i].length) << "case " << i;
    EXPECT_EQ(h.activeDesktopOn, cases[i].byte4 > 0x40) << "case " << i;
    EXPECT_EQ(h.activeDesktop.calls,
              (std::vector<std::string>{"SetWallpaper(C:\\Pics\\a.JPEG)", "ApplyChanges(7)"}))
        << "case " << i;
    EXPECT_FALSE(DesktopValue(h, "Wallpaper")) << "case " << i << ": not the classic path";
    EXPECT_EQ(h.Current(), "C:\\Pics\\a.JPEG") << "case " << i;
  }
}

TEST(WallpaperApplierTest, BitmapTakesTheClassicPathUnlessActiveDesktopIsOn) {
  WallpaperHarness h;
  h.SetShellStateByte4(0x22);
  h.iconsVisible = false;
  h.page.SetWallpaper("C:\\Pics\\b.bmp");
  EXPECT_EQ(DesktopValue(h, "TileWallPaper"), "0");
  EXPECT_EQ(DesktopValue(h, "Wallpaper"), "C:\\Pics\\b.bmp");
  EXPECT_EQ(h.system.applied, std::vector<std::string>{"C:\\Pics\\b.bmp"});
  EXPECT_EQ(h.log, std::vector<std::string>{"SetDesktopIconsHidden(1,0)"});
  EXPECT_TRUE(h.activeDesktop.calls.empty());
  EXPECT_EQ(h.ShellState()[4], 0x22) << "a bitmap does not switch Active Desktop on";
  EXPECT_EQ(h.system.broughtToTop, std::vector<std::uintptr_t>{0x1234});
  EXPECT_EQ(h.Current(), "C:\\Pics\\b.bmp");

  WallpaperHarness on;
  on.SetShellStateByte4(0x62);
  on.page.SetWallpaper("C:\\Pics\\b.bmp");
  EXPECT_EQ(on.activeDesktop.calls, (std::vector<std::string>{"SetWallpaper(C:\\Pics\\b.bmp)", "ApplyChanges(7)"}));
  EXPECT_TRUE(on.system.applied.empty());
}

TEST(WallpaperApplierTest, RecordedPathDoesNothingAndAFailedClassicPathStillRecords) {
  WallpaperHarness h;
  h.SetCurrent("C:\\Pics\\b.bmp");
  h.registry.ClearChanges();
  h.page.SetWallpaper("C:\\Pics\\b.bmp");
  EXPECT_TRUE(h.registry.Changes().empty());
  EXPECT_TRUE(h.system.applied.empty() && h.activeDesktop.calls.empty() && h.log.empty());
  EXPECT_TRUE(h.system.broughtToTop.empty());

  // A refused registry write ends the classic path silently; the record is still written.
  h.registry.FailWhen([](const RegChange& c) { return c.path.find("Control Panel") != std::string::npos; });
  h.page.SetWallpaper("C:\\Pics\\c.gif");
  EXPECT_TRUE(h.system.applied.empty());
  EXPECT_EQ(h.Current(), "C:\\Pics\\c.gif");
}

TEST(WallpaperApplierTest, WithoutActiveDesktopJpegGoesTheClassicWay) {
  struct Case {
    ActiveDesktopSupport support;
    bool creatable;
  };
  const Case cases[] = {{ActiveDesktopSupport::None, true},          // 0: Windows 8 and later
                        {ActiveDesktopSupport::Full, false},         // 1: the object cannot be made
                        {ActiveDesktopSupport::PicturesOnly, false}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    WallpaperHarness h;
    h.system.support = cases[i].support;
    h.activeDesktop.creatable = cases[i].creatable;
    h.SetShellStateByte4(0x22);
    h.page.SetWallpaper("C:\\Pics\\a.jpg");
    EXPECT_EQ(h.system.applied, std::vector<std::string>{"C:\\Pics\\a.jpg"}) << "case " << i;
    EXPECT_EQ(DesktopValue(h, "Wallpaper"), "C:\\Pics\\a.jpg") << "case " << i;
    EXPECT_TRUE(h.activeDesktop.calls.empty()) << "case " << i;
    EXPECT_EQ(h.ShellState()[4], 0x22) << "case " << i << ": Active Desktop not switched on for nothing";
    EXPECT_EQ(h.Current(), "C:\\Pics\\a.jpg") << "case " << i;
  }
  WallpaperHarness refused;  // the object takes no file: the picture still gets shown
  refused.activeDesktop.accepts = false;
  refused.page.SetWallpaper("C:\\Pics\\a.jpg");
  EXPECT_EQ(refused.activeDesktop.calls, std::vector<std::string>{"SetWallpaper(C:\\Pics\\a.jpg)"});
  EXPECT_EQ(refused.system.applied, std::vector<std::string>{"C:\\Pics\\a.jpg"});
  // Vista and 7 keep the object for pictures.
  WallpaperHarness seven;
  seven.system.support = ActiveDesktopSupport::PicturesOnly;
  seven.page.SetWallpaper("C:\\Pics\\a.jpg");
  EXPECT_EQ(seven.activeDesktop.calls.size(), 2u);
}

}  // namespace
}  // namespace tovr::wallpaper
