// The startup list with 1,000 values spread over the four Run and NeverRun keys: the load (read
// the keys, an icon for every command, sort by name) and the apply at the save, once with
// nothing changed (the usual save: only reads) and once with every row moved between Run and
// NeverRun (1,000 writes and 1,000 deletions). The registry, files, shell and search path are
// in memory; BM_PortsAlone is their share of a load, so the rest is the program's own work.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fakes/FakeAppPorts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeShellDialogs.h"
#include "fakes/FakeShellExecute.h"
#include "fakes/FakeStartupSystem.h"
#include "fakes/MemoryFileSystem.h"
#include "startup/CommandLine.h"
#include "startup/StartupPage.h"

namespace {

using namespace tovr;
using namespace tovr::startup;

constexpr int kValues = 1000;

// A quarter in each key, in a shuffled name order: a third quoted paths of existing programs,
// a third programs on the search path with arguments, a third missing programs.
struct World {
  FakeRegistry registry;
  MemoryFileSystem fs;
  shortcuts::FakeShellIcons icons;
  FakeShellExecute shell;
  shortcuts::FakeShellDialogs dialogs;
  FakeStartupSystem system;
  shortcuts::FakeShellLinks links;
  FakeMessageBox messages;
  StartupPage page{{registry, fs, icons, shell, dialogs, system, links, messages}};

  World() {
    for (int i = 0; i < kValues; ++i) {
      const int j = (i * 7919) % kValues;
      const std::string n = std::to_string(10000 + j).substr(1);
      std::string command;
      switch (j % 3) {
        case 0: command = "\"C:\\Program Files\\应用 " + n + "\\app.exe\" /background"; break;
        case 1: command = "tool" + n + ".exe -s " + n; break;
        default: command = "D:\\Gone\\old " + n + ".exe"; break;
      }
      if (j % 3 == 0) fs.SetFile("C:\\Program Files\\应用 " + n + "\\app.exe", "x");
      if (j % 3 == 1) system.Put("tool" + n + ".exe", "C:\\Windows\\tool" + n + ".exe");
      const RegRoot root = j % 4 < 2 ? RegRoot::LocalMachine : RegRoot::CurrentUser;
      registry.Put(root, KeyPathOf(j % 2 == 0), (j % 5 ? "启动项 " : "Entry ") + n, RegValue::FromString(command));
    }
  }
};

void BM_Load(benchmark::State& state) {
  World w;
  for (auto _ : state) {
    w.page.ClearStartupList();
    w.page.LoadStartupEntries();
    if (w.page.LR.Count() != kValues) state.SkipWithError("wrong load");
  }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_ApplyUnchanged(benchmark::State& state) {
  World w;
  w.page.LoadStartupEntries();
  for (auto _ : state) {
    w.page.ApplyStartupEntries();
    if (!w.registry.Changes().empty()) state.SkipWithError("wrote");
  }
}
BENCHMARK(BM_ApplyUnchanged)->Unit(benchmark::kMillisecond);

void BM_ApplyAllMoved(benchmark::State& state) {
  World w;
  w.page.LoadStartupEntries();
  for (auto _ : state) {
    for (std::size_t i = 0; i < w.page.LR.Count(); ++i) w.page.LR.SetEnabled(i, !w.page.LR[i].enabled);
    w.registry.ClearChanges();
    w.page.ApplyStartupEntries();
    if (w.registry.Changes().size() < 2 * kValues) state.SkipWithError("not moved");
  }
}
BENCHMARK(BM_ApplyAllMoved)->Unit(benchmark::kMillisecond);

// The in-memory ports' share of a load: the four keys' values read and every command's
// existence queries, search and icon look-up, without the list.
void BM_PortsAlone(benchmark::State& state) {
  World w;
  for (auto _ : state) {
    int n = 0;
    for (const RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser}) {
      for (const bool run : {true, false}) {
        auto key = w.registry.Open(root, KeyPathOf(run), RegOpen::ReadOnly);
        for (const RegNamedValue& v : key->Values()) {
          const std::string command = v.value.Text();
          const std::string path = ExtractExePath(command);
          if (!w.fs.FileExists(command) && !w.fs.FileExists(path)) n += w.system.FindOnSearchPath(path) ? 1 : 0;
          n += w.icons.ShellIconIndex(path);
        }
      }
    }
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_PortsAlone)->Unit(benchmark::kMillisecond);

// The in-memory registry's share of BM_ApplyAllMoved: the same 1,000 writes and then 1,000
// deletions made directly through the four open keys.
void BM_RegistryMovesAlone(benchmark::State& state) {
  World w;
  std::unique_ptr<IRegistryKey> keys[2][2];
  std::vector<std::pair<int, RegNamedValue>> values;  // root index, value (in its Run key or not)
  for (int r = 0; r < 2; ++r) {
    for (int k = 0; k < 2; ++k) {
      keys[r][k] = w.registry.Open(r ? RegRoot::CurrentUser : RegRoot::LocalMachine, KeyPathOf(k == 0),
                                   RegOpen::CreateIfMissing);
      for (RegNamedValue& v : keys[r][k]->Values()) values.push_back({r * 2 + k, std::move(v)});
    }
  }
  for (auto _ : state) {
    w.registry.ClearChanges();
    for (auto& [at, v] : values) keys[at / 2][1 - at % 2]->Write(v.name, v.value);  // all writes first,
    for (auto& [at, v] : values) {                                                   // as the apply does
      keys[at / 2][at % 2]->DeleteValue(v.name);
      at ^= 1;
    }
  }
}
BENCHMARK(BM_RegistryMovesAlone)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
