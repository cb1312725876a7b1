// The wallpaper list at 10,000 pictures: adding a folder (the folder listing by the eight mask
// patterns, the case-insensitive sort, AddWallpaper with its uniqueness check and icon for each)
// and saving the list ([Pics] cleared and rewritten, the file written once). The file system
// and the shell are in memory; the listing alone is measured too, as the ports' share.
//
// And the preview of a 6000 x 4000 JPEG fitted into the page's preview box, beside a full-size
// decode of the same file.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "fakes/FakeActiveDesktop.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeWallpaperSystem.h"
#include "fakes/MemoryFileSystem.h"
#include "settings/SettingsFile.h"
#include "support/JpegEncode.h"
#include "wallpaper/JpegDecoder.h"
#include "wallpaper/PreviewImage.h"
#include "wallpaper/WallpaperPage.h"

namespace {

using namespace tovr;
using namespace tovr::wallpaper;

constexpr int kPictures = 10000;
constexpr char kFolder[] = "D:\\照片\\Photos";
constexpr char kConfig[] = "C:\\Tovrane\\Config.ini";
constexpr int kBoxWidth = 123, kBoxHeight = 115;  // the preview wallpaperPreview on the page

struct World {
  MemoryFileSystem fs;
  FakeRegistry registry;
  FakeMessageBox boxes;
  FakeActiveDesktop activeDesktop;
  FakeWallpaperSystem system;
  FakePictureDialogs dialogs;
  std::minstd_rand random{1};
  bool activeDesktopOn = false;
  TSettingsFile settings{fs, kConfig};
  WallpaperPage page{{{system, dialogs}, fs, registry, boxes, activeDesktop,
                      [](const std::string& path) { return static_cast<int>(path.size() & 7); }},
                     {},
                     random,
                     activeDesktopOn};

  World() {
    fs.AddDirectory("C:\\Tovrane");
    fs.SetFile(kConfig, "[Option]\r\nGreeting=Thank\r\n");
    // 10,000 pictures of the mask's kinds in a shuffled order, and 500 other files.
    const char* kinds[] = {".jpg", ".JPG", ".jpeg", ".bmp", ".gif", ".ico", ".emf", ".wmf"};
    for (int i = 0; i < kPictures; ++i) {
      const int j = (i * 7919) % kPictures;
      fs.SetFile(std::string(kFolder) + "\\IMG_" + std::to_string(100000 + j).substr(1) + kinds[j % 8], "x");
    }
    for (int i = 0; i < 500; ++i) fs.SetFile(std::string(kFolder) + "\\note" + std::to_string(i) + ".txt", "x");
  }
};

void BM_AddFolderOf10000(benchmark::State& state) {
  World w;
  for (auto _ : state) {
    state.PauseTiming();
    w.page.wallpaperList.Clear();
    w.dialogs.folders = {kFolder};
    state.ResumeTiming();
    w.page.editing.OnAddPictureFolderClicked();
    if (w.page.wallpaperList.Count() != kPictures) state.SkipWithError("wrong add");
  }
}
BENCHMARK(BM_AddFolderOf10000)->Unit(benchmark::kMillisecond);

// The in-memory file system's share of the add: the eight listings alone.
void BM_FolderListingAlone(benchmark::State& state) {
  World w;
  for (auto _ : state) {
    std::size_t n = 0;
    for (const char* pattern : {"*.gif", "*.gif", "*.jpg", "*.jpeg", "*.bmp", "*.ico", "*.emf", "*.wmf"}) {
      n += w.fs.ListFiles(kFolder, pattern).size();
    }
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_FolderListingAlone)->Unit(benchmark::kMillisecond);

void BM_SaveListOf10000(benchmark::State& state) {
  World w;
  w.dialogs.folders = {kFolder};
  w.page.editing.OnAddPictureFolderClicked();
  for (auto _ : state) {
    w.fs.ResetCounts();
    w.page.SaveWallpaperList(w.settings);
    if (w.fs.Writes() != 1 || w.fs.Reads() > 1) state.SkipWithError("wrong save");
  }
}
BENCHMARK(BM_SaveListOf10000)->Unit(benchmark::kMillisecond);

const std::string& BigJpeg() {
  static const std::string bytes = testing::EncodeTestJpeg(6000, 4000, 90);
  return bytes;
}

void BM_JpegFullSizeDecode(benchmark::State& state) {
  const std::string& jpeg = BigJpeg();
  for (auto _ : state) {
    auto image = DecodeJpeg(jpeg);
    if (!image || image->width != 6000) state.SkipWithError("no decode");
    benchmark::DoNotOptimize(image);
  }
  state.counters["file_MB"] = static_cast<double>(jpeg.size()) / 1e6;
}
BENCHMARK(BM_JpegFullSizeDecode)->Unit(benchmark::kMillisecond);

void BM_JpegPreviewInTheBox(benchmark::State& state) {
  const std::string& jpeg = BigJpeg();
  for (auto _ : state) {
    auto image = JpegPreview(jpeg, kBoxWidth, kBoxHeight);
    if (!image || image->width != kBoxWidth) state.SkipWithError("no preview");
    benchmark::DoNotOptimize(image);
  }
}
BENCHMARK(BM_JpegPreviewInTheBox)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
