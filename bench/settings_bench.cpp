// The settings file with a 10,000-entry shortcut list: loading it (SectionKeys, then GetText
// for every key) and saving it (ClearSection, then PutText for every entry), each inside one
// operation, as the list load and save do. Their floors: the file's text converted from GBK
// (what any load must do) and to GBK (what any save must do), alone.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsFile.h"
#include "base/Text.h"
#include "fakes/MemoryFileSystem.h"

namespace {

constexpr int kKeys = 10000;
const char kPath[] = "C:\\Tovrane\\Config.ini";

std::vector<std::pair<std::string, std::string>> Entries() {
  std::vector<std::pair<std::string, std::string>> entries;
  for (int i = 0; i < kKeys; ++i) {
    std::string n = std::to_string(100000 + i).substr(1);
    entries.emplace_back("快捷方式 " + n, "C:\\Program Files\\应用 " + n + "\\app.exe");
  }
  return entries;
}

std::string File(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string text = "[Option]\r\nGreeting=Thank\r\nIconFC=16777215\r\n\r\n[Apps]\r\n";
  for (const auto& [name, target] : entries) text += name + "=" + target + "\r\n";
  text += "\r\n[Pics]\r\n0=C:\\Windows\\Web\\Wallpaper\\a.jpg\r\n";
  return tovr::text::Utf8ToGbk(text);
}

void BM_LoadSection(benchmark::State& state) {
  tovr::MemoryFileSystem fs;
  fs.SetFile(kPath, File(Entries()));
  tovr::TSettingsFile ini(fs, kPath);
  for (auto _ : state) {
    auto op = ini.BeginOperation();
    std::vector<std::string> keys = ini.SectionKeys("Apps");
    std::size_t total = 0;
    for (const std::string& key : keys) total += ini.GetText("Apps", key, "").size();
    op.Commit();
    benchmark::DoNotOptimize(total);
    if (keys.size() != kKeys) state.SkipWithError("wrong key count");
  }
}
BENCHMARK(BM_LoadSection)->Unit(benchmark::kMillisecond);

void BM_SaveSection(benchmark::State& state) {
  const auto entries = Entries();
  tovr::MemoryFileSystem fs;
  fs.SetFile(kPath, File(entries));
  tovr::TSettingsFile ini(fs, kPath);
  for (auto _ : state) {
    auto op = ini.BeginOperation();
    ini.ClearSection("Apps");
    for (const auto& [name, target] : entries) ini.PutText("Apps", name, target);
    op.Commit();
  }
  if (ini.SectionKeys("Apps").size() != kKeys || ini.GetText("Pics", "0", "").empty()) {
    state.SkipWithError("rewritten file lost entries");
  }
}
BENCHMARK(BM_SaveSection)->Unit(benchmark::kMillisecond);

void BM_GbkDecodeAlone(benchmark::State& state) {
  const std::string file = File(Entries());
  for (auto _ : state) benchmark::DoNotOptimize(tovr::text::GbkToUtf8(file));
}
BENCHMARK(BM_GbkDecodeAlone)->Unit(benchmark::kMillisecond);

void BM_GbkEncodeAlone(benchmark::State& state) {
  const std::string text = tovr::text::GbkToUtf8(File(Entries()));
  for (auto _ : state) benchmark::DoNotOptimize(tovr::text::Utf8ToGbk(text));
}
BENCHMARK(BM_GbkEncodeAlone)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
