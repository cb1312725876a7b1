// The shortcut list with 10,000 [Apps] entries: load (read the file once, AddShortcut for every
// key with its uniqueness check, classification and icon) plus sort, and save (sort, rewrite
// [Apps] last row first, write the file once). The file system and the shell are in memory, so
// the figures are the program's own work.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "settings/SettingsFile.h"
#include "base/Text.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeShell.h"
#include "fakes/MemoryFileSystem.h"
#include "shortcuts/ShortcutList.h"
#include "shortcuts/ShortcutStore.h"

namespace {

using namespace tovr;
using namespace tovr::shortcuts;

constexpr int kEntries = 10000;
const char kPath[] = "C:\\Tovrane\\Config.ini";

// A quarter each of files, folders, web addresses and missing targets, in a shuffled order.
struct World {
  MemoryFileSystem fs;
  FakeShellIcons icons;
  FakeShellLinks links;
  FakeMessageBox boxes;

  World() {
    std::string text = "[Option]\r\nGreeting=Thank\r\n\r\n[Apps]\r\n";
    for (int i = 0; i < kEntries; ++i) {
      const int j = (i * 7919) % kEntries;
      const std::string n = std::to_string(100000 + j).substr(1);
      std::string name = (j % 3 ? "快捷方式 " : "Tool ") + n, target;
      switch (j % 4) {
        case 0: target = "C:\\Program Files\\应用 " + n + "\\app.exe"; fs.SetFile(target, "x"); break;
        case 1: target = "D:\\Data\\文件夹 " + n; fs.AddDirectory(target); break;
        case 2: target = "http://www.example.com/page/" + n; break;
        default: target = "E:\\Gone\\old " + n + ".exe"; break;
      }
      text += name + "=" + target + "\r\n";
    }
    fs.SetFile(kPath, text::Utf8ToGbk(text));
  }
};

void BM_LoadAndSort(benchmark::State& state) {
  World w;
  TSettingsFile settings(w.fs, kPath);
  ShortcutList list{ShortcutPorts{w.fs, w.icons, w.links, w.boxes}};
  for (auto _ : state) {
    w.fs.ResetCounts();
    LoadShortcuts(list, settings);
    if (list.Count() != kEntries || w.fs.Reads() != 1 || !w.boxes.shown.empty()) {
      state.SkipWithError("wrong load");
    }
  }
}
BENCHMARK(BM_LoadAndSort)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
  World w;
  TSettingsFile settings(w.fs, kPath);
  ShortcutList list{ShortcutPorts{w.fs, w.icons, w.links, w.boxes}};
  LoadShortcuts(list, settings);
  std::size_t rows = 0;
  for (auto _ : state) {
    w.fs.ResetCounts();
    list.SortShortcuts();
    WriteShortcuts(list, settings, [&](const ShortcutEntry&) { ++rows; });
    if (w.fs.Writes() != 1 || w.fs.Reads() > 1) state.SkipWithError("wrong save");
  }
  benchmark::DoNotOptimize(rows);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// The check alone at 10,000 rows, one of each per iteration: a plain miss, and a refusal
// whose name and target belong to different rows (the first-row scan decides which to name).
void BM_TakenAtTenThousand(benchmark::State& state) {
  World w;
  TSettingsFile settings(w.fs, kPath);
  ShortcutList list{ShortcutPorts{w.fs, w.icons, w.links, w.boxes}};
  LoadShortcuts(list, settings);
  const std::string name = list[list.Count() - 1].name, target = list[0].target;
  if (!list.TakenMessage(name, target)) state.SkipWithError("no refusal");
  for (auto _ : state) {
    benchmark::DoNotOptimize(list.TakenMessage("nobody", "nowhere"));
    benchmark::DoNotOptimize(list.TakenMessage(name, target));
  }
}
BENCHMARK(BM_TakenAtTenThousand);

// The in-memory ports' share of a load: the existence queries and icon look-ups the 10,000
// adds make, without the list.
void BM_PortQueriesAlone(benchmark::State& state) {
  World w;
  TSettingsFile settings(w.fs, kPath);
  std::vector<std::string> targets;
  for (const std::string& key : settings.SectionKeys("Apps")) {
    targets.push_back(settings.GetText("Apps", key, ""));
  }
  for (auto _ : state) {
    int n = 0;
    for (const std::string& t : targets) {
      if (w.fs.FileExists(t) || w.fs.DirectoryExists(t)) n += w.icons.ShellIconIndex(t);
    }
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_PortQueriesAlone)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
