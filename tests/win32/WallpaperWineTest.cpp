// The wallpaper adapters against the real system: the classic path's registry values and
// system call, a JPEG through the real Active Desktop object, and the preview decoders on a
// picture of each of the six kinds.
#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <cstring>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/win32/Wide.h"
#include "fakes/FakeAppPorts.h"
#include "platform/win32/Win32ActiveDesktop.h"
#include "platform/win32/Win32Registry.h"
#include "wallpaper/WallpaperApplier.h"
#include "wallpaper/win32/PreviewDecoder.h"
#include "wallpaper/win32/Win32WallpaperSystem.h"

namespace tovr::wallpaper::win32 {
namespace {

std::string TempFile(const char* name) {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  return Narrow(dir) + name;
}

std::string TestData(const char* name) {
  const char* dir = std::getenv("TOVR_TEST_DATA");
  return std::string(dir ? dir : ".") + "\\" + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE f = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

std::string RegText(const char* key, const char* name) {
  Win32Registry registry;
  auto k = registry.Open(RegRoot::CurrentUser, key, RegOpen::ReadOnly);
  return k ? k->ReadString(name).value_or("<none>") : "<no key>";
}

// An Active Desktop object that remembers what the real one answered.
struct AnsweringActiveDesktop final : IActiveDesktopObject {
  Win32ActiveDesktop real;
  std::vector<std::string> answers;
  bool Ensure() override { return real.Ensure(); }
  bool SetWallpaper(const std::string& path) override {
    const bool ok = real.SetWallpaper(path);
    answers.push_back("SetWallpaper " + std::to_string(ok));
    return ok;
  }
  bool ApplyChanges(unsigned flags) override {
    const bool ok = real.ApplyChanges(flags);
    answers.push_back("ApplyChanges " + std::to_string(ok));
    return ok;
  }
};

class WallpaperWineTest : public ::testing::Test {
 protected:
  void SetUp() override { OleInitialize(nullptr); }
  void TearDown() override {
    activeDesktop.real.Reset();
    OleUninitialize();
  }
  void Apply(ActiveDesktopSupport support, const std::string& path) {
    Win32WallpaperSystem system(support);
    WallpaperApplier applier(registry, activeDesktop, system, boxes, {}, activeDesktopOn);
    applier.SetWallpaper(path);
  }

  Win32Registry registry;
  AnsweringActiveDesktop activeDesktop;
  FakeMessageBox boxes;
  bool activeDesktopOn = false;
};

TEST_F(WallpaperWineTest, ClassicPathWritesTheDesktopValuesAndTheSystemTakesThem) {
  const std::string bmp = TempFile("tovr-classic.bmp");
  ASSERT_TRUE(CopyFileW(Widen(TestData("red.bmp")).c_str(), Widen(bmp).c_str(), FALSE));
  Apply(ActiveDesktopSupport::None, bmp);
  EXPECT_EQ(RegText(kDesktopKey, "TileWallPaper"), "0");
  EXPECT_EQ(RegText(kDesktopKey, "Wallpaper"), bmp);
  EXPECT_EQ(RegText(kRecordKey, "Wallpaper"), bmp);
  EXPECT_TRUE(activeDesktop.answers.empty());
  Win32WallpaperSystem system;
  EXPECT_TRUE(system.ApplyDeskWallpaper(bmp)) << "the system call refused the picture";
}

TEST_F(WallpaperWineTest, JpegGoesThroughTheActiveDesktopObjectAndSwitchesItOn) {
  auto key = registry.Create(RegRoot::CurrentUser, kExplorerKey);
  std::vector<std::uint8_t> state(36, 0);
  state[4] = 0x22;
  key->WriteBinary("ShellState", state);
  registry.Create(RegRoot::CurrentUser, kDesktopKey)->WriteString("TileWallPaper", "untouched");
  const std::string jpg = TempFile("tovr-active.jpg");
  ASSERT_TRUE(CopyFileW(Widen(TestData("red-blue.jpg")).c_str(), Widen(jpg).c_str(), FALSE));

  Apply(ActiveDesktopSupport::Full, jpg);

  const auto written = key->ReadBinary("ShellState").value_or(std::vector<std::uint8_t>{});
  ASSERT_EQ(written.size(), 128u);
  EXPECT_EQ(written[4], 0x62);
  ASSERT_FALSE(activeDesktop.answers.empty());
  if (activeDesktop.answers[0] == "SetWallpaper 1") {  // Windows: the object shows it
    EXPECT_EQ(activeDesktop.answers, (std::vector<std::string>{"SetWallpaper 1", "ApplyChanges 1"}));
    EXPECT_EQ(RegText(kDesktopKey, "TileWallPaper"), "untouched") << "the classic path ran as well";
  } else {  // Wine's object answers "not implemented": the classic way shows it
    EXPECT_EQ(activeDesktop.answers, std::vector<std::string>{"SetWallpaper 0"});
    EXPECT_EQ(RegText(kDesktopKey, "TileWallPaper"), "0");
    EXPECT_EQ(RegText(kDesktopKey, "Wallpaper"), jpg);
  }
  EXPECT_EQ(RegText(kRecordKey, "Wallpaper"), jpg);
}

TEST_F(WallpaperWineTest, PreviewDecodesEachKindToItsFittedSize) {
  // An EMF of 40 x 20 mm and a placeable WMF of 4 x 2 inches, red on white.
  const std::string emf = TempFile("tovr-preview.emf");
  RECT frame{0, 0, 4000, 2000};  // hundredths of a millimetre
  HDC rec = CreateEnhMetaFileW(nullptr, Widen(emf).c_str(), &frame, nullptr);
  ASSERT_TRUE(rec);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT fill{0, 0, 151, 76};
  FillRect(rec, &fill, red);
  DeleteEnhMetaFile(CloseEnhMetaFile(rec));

  HDC wrec = CreateMetaFileW(nullptr);
  SetWindowExtEx(wrec, 400, 200, nullptr);
  RECT wfill{0, 0, 400, 200};
  FillRect(wrec, &wfill, red);
  HMETAFILE wmf = CloseMetaFile(wrec);
  const UINT size = GetMetaFileBitsEx(wmf, 0, nullptr);
  std::string bits(size, '\0');
  GetMetaFileBitsEx(wmf, size, bits.data());
  DeleteMetaFile(wmf);
  DeleteObject(red);
  std::string header(22, '\0');
  const unsigned short words[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 400, 200, 100, 0, 0, 0};
  std::memcpy(header.data(), words, 22);
  unsigned short sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= words[i];
  std::memcpy(header.data() + 20, &sum, 2);
  const std::string wmfPath = TempFile("tovr-preview.wmf");
  WriteBytes(wmfPath, header + bits);
  const std::string text = TempFile("tovr-preview.txt");
  WriteBytes(text, "not a picture");

  struct Case {
    std::string path;
    int width, height;
    COLORREF centre;
  };
  const Case cases[] = {
      {TestData("red-blue.jpg"), 100, 50, 0},
      {TestData("red.bmp"), 100, 50, RGB(255, 0, 0)},
      {TestData("red.gif"), 100, 50, RGB(255, 0, 0)},
      {TestData("blue.ico"), 100, 100, RGB(0, 0, 255)},
      {emf, 100, 50, RGB(255, 0, 0)},
      {wmfPath, 100, 50, RGB(255, 0, 0)},
      {text, 0, 0, 0},                       // not a picture: an empty box
      {TempFile("tovr-missing.bmp"), 0, 0, 0},
      {"", 0, 0, 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    controls::win32::UniqueBitmap bitmap = DecodePreview(cases[i].path, 100, 100, RGB(255, 255, 255));
    if (cases[i].width == 0) {
      EXPECT_FALSE(bitmap) << "case " << i;
      continue;
    }
    ASSERT_TRUE(bitmap) << "case " << i << " " << cases[i].path;
    BITMAP bm{};
    GetObjectW(bitmap.get(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, cases[i].width) << "case " << i;
    EXPECT_EQ(bm.bmHeight, cases[i].height) << "case " << i;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap.get());
    const COLORREF centre = GetPixel(dc, bm.bmWidth / 2 + (i == 0 ? 20 : 0), bm.bmHeight / 2);
    const COLORREF left = GetPixel(dc, 10, bm.bmHeight / 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    if (i == 0) {  // the JPEG: red at the left, blue at the right
      EXPECT_GT(GetRValue(left), 200) << "case 0";
      EXPECT_GT(GetBValue(centre), 200) << "case 0";
    } else {
      EXPECT_NEAR(GetRValue(centre), GetRValue(cases[i].centre), 40) << "case " << i;
      EXPECT_NEAR(GetBValue(centre), GetBValue(cases[i].centre), 40) << "case " << i;
      EXPECT_NEAR(GetGValue(centre), 0, 40) << "case " << i;
    }
  }
}

}  // namespace
}  // namespace tovr::wallpaper::win32
