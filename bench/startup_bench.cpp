// The startup list with 1,000 values spread over the six Run and NeverRun keys (HKEY_LOCAL_MACHINE,
// its 32-bit programs' keys, HKEY_CURRENT_USER) and 100 shortcuts in the two Startup folders,
// a fifth of everything switched off in StartupApproved: the load (read the keys, the switches
// and the folders, resolve the shortcuts, an icon for every command, sort by name) and the apply
// at the save, once with nothing changed (the usual save: only reads) and once with every row
// switched (1,000 values moved between Run and NeverRun or switched on, 100 switches written).
// The registry, files, shell and search path are in memory; BM_PortsAlone is their share of a
// load and BM_RegistryMovesAlone of the apply, so the rest is the program's own work.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
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
constexpr int kFolderFiles = 100;
constexpr StartupSource kKeySources[] = {StartupSource::AllUsers, StartupSource::AllUsers32,
                                         StartupSource::CurrentUser};
constexpr char kUserFolder[] = "C:\\Users\\me\\Startup";
constexpr char kCommonFolder[] = "C:\\ProgramData\\Startup";
const RegValue kOff = RegValue::FromBinary(std::vector<std::uint8_t>{3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8});

// In a shuffled name order: a third quoted paths of existing programs, a third programs on the
// search path with arguments, a third missing programs; spread over the six keys. Half the
// shortcuts in each folder.
struct World {
  FakeRegistry registry;
  MemoryFileSystem fs;
  FakeShellIcons icons;
  FakeShellExecute shell;
  FakeShellDialogs dialogs;
  FakeStartupSystem system;
  FakeShellLinks links;
  FakeMessageBox messages;
  StartupPage page{{{system}, registry, fs, icons, shell, dialogs, links, messages}};

  World() {
    system.userFolder = kUserFolder;
    system.commonFolder = kCommonFolder;
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
      const StartupSource source = kKeySources[j % 3];
      const std::string name = (j % 5 ? "启动项 " : "Entry ") + n;
      registry.Put(KeysOf(source).root, KeyPathOf(source, j % 2 == 0), name, RegValue::FromString(command));
      if (j % 5 == 1) registry.Put(KeysOf(source).root, ApprovedKeyPathOf(source), name, kOff);
    }
    for (int i = 0; i < kFolderFiles; ++i) {
      const std::string n = std::to_string(1000 + i).substr(1);
      const StartupSource source = i % 2 ? StartupSource::UserFolder : StartupSource::CommonFolder;
      const std::string link = std::string(i % 2 ? kUserFolder : kCommonFolder) + "\\程序 " + n + ".lnk";
      fs.SetFile(link, "link");
      links.Set(link, "C:\\Program Files\\应用 " + n + "\\app.exe");
      if (i % 5 == 1) registry.Put(KeysOf(source).root, ApprovedKeyPathOf(source), "程序 " + n + ".lnk", kOff);
    }
  }
};

void BM_Load(benchmark::State& state) {
  World w;
  for (auto _ : state) {
    state.PauseTiming();  // emptying the list is not part of loading it
    w.page.ClearStartupList();
    state.ResumeTiming();
    w.page.LoadStartupEntries();
    if (w.page.startupList.Count() != kValues + kFolderFiles) state.SkipWithError("wrong load");
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
    for (std::size_t i = 0; i < w.page.startupList.Count(); ++i)
      w.page.startupList.SetEnabled(i, !w.page.startupList[i].enabled);
    w.registry.ClearChanges();
    w.page.ApplyStartupEntries();
    if (w.registry.Changes().size() < kValues + kFolderFiles) state.SkipWithError("not moved");
  }
}
BENCHMARK(BM_ApplyAllMoved)->Unit(benchmark::kMillisecond);

// The in-memory ports' share of a load: the six keys' values and the switches read, the folders
// listed and their shortcuts resolved, every command's drive type, existence queries, search
// and icon look-up, and every name's sort key, without the list. The programs' paths in the
// commands are found once beforehand (finding them is the list's own work, not the ports').
// Kept out of line so that a profiler can single it out.
[[gnu::noinline]] int PortQueriesOfOneLoad(World& w, const std::vector<std::string>& paths) {
  std::size_t next = 0;
  int n = 0;
  for (const SourceKeys& k : kSources) {
    if (auto switches = w.registry.Open(k.root, ApprovedKeyPathOf(k.source), RegOpen::ReadOnly)) {
      n += static_cast<int>(switches->Values().size());
    }
    if (IsFolder(k.source)) {
      const std::string folder = w.system.StartupFolder(k.source == StartupSource::CommonFolder);
      for (const std::string& name : w.fs.ListFiles(folder, "*")) {
        const std::string file = folder + "\\" + name;
        n += static_cast<int>(w.links.ResolveShellLink(file).size()) + w.fs.FixedDrive(file[0]);
        if (w.fs.FileExists(file)) n += w.icons.ShellIconIndex(file);
        n += static_cast<int>(w.system.SortKey(name).size());
      }
      continue;
    }
    for (const bool run : {true, false}) {
      auto key = w.registry.Open(k.root, KeyPathOf(k.source, run), RegOpen::ReadOnly);
      for (const RegNamedValue& v : key->Values()) {
        const std::string command = v.value.Text();
        const std::string& path = paths[next++];
        if (path.size() > 1 && path[1] == ':') n += w.fs.FixedDrive(path[0]);
        if (w.fs.FileExists(command)) {
          n += w.icons.ShellIconIndex(command);
        } else if (w.fs.FileExists(path)) {
          n += w.icons.ShellIconIndex(path);
        } else if (const std::optional<std::string> found = w.system.FindOnSearchPath(path)) {
          n += w.icons.ShellIconIndex(*found);
        }
        n += static_cast<int>(w.system.SortKey(v.name).size());
      }
    }
  }
  return n;
}

void BM_PortsAlone(benchmark::State& state) {
  World w;
  std::vector<std::string> paths;  // in the order PortQueriesOfOneLoad reads the commands
  for (const SourceKeys& k : kSources) {
    for (const bool run : {true, false}) {
      if (IsFolder(k.source)) break;
      for (const RegNamedValue& v : w.registry.Open(k.root, KeyPathOf(k.source, run), RegOpen::ReadOnly)->Values()) {
        paths.push_back(ExtractExePath(v.value.Text()));
      }
    }
  }
  for (auto _ : state) benchmark::DoNotOptimize(PortQueriesOfOneLoad(w, paths));
}
BENCHMARK(BM_PortsAlone)->Unit(benchmark::kMillisecond);

// The in-memory registry's share of BM_ApplyAllMoved: the same writes (every value at its new
// place, the switches) and then the deletions, made directly through the open keys.
void BM_RegistryMovesAlone(benchmark::State& state) {
  World w;
  w.page.LoadStartupEntries();
  struct Move {
    std::unique_ptr<IRegistryKey> from, to, switches;
    std::vector<RegNamedValue> values;
  };
  std::vector<Move> moves;
  for (const SourceKeys& k : kSources) {
    auto switches = w.registry.Open(k.root, ApprovedKeyPathOf(k.source), RegOpen::CreateIfMissing);
    if (IsFolder(k.source)) {
      Move m{nullptr, nullptr, std::move(switches), {}};
      for (const std::string& name : w.fs.ListFiles(w.system.StartupFolder(k.source == StartupSource::CommonFolder), "*")) {
        m.values.push_back({name, kOff});
      }
      moves.push_back(std::move(m));
      continue;
    }
    for (const bool run : {true, false}) {
      Move m{w.registry.Open(k.root, KeyPathOf(k.source, run), RegOpen::CreateIfMissing),
             w.registry.Open(k.root, KeyPathOf(k.source, !run), RegOpen::CreateIfMissing), nullptr, {}};
      m.values = m.from->Values();
      moves.push_back(std::move(m));
    }
  }
  for (auto _ : state) {
    w.registry.ClearChanges();
    for (Move& m : moves) {  // all writes first, as the apply does
      for (const RegNamedValue& v : m.values) (m.to ? m.to : m.switches)->Write(v.name, v.value);
    }
    for (Move& m : moves) {
      if (!m.to) continue;
      for (const RegNamedValue& v : m.values) m.from->DeleteValue(v.name);
      std::swap(m.from, m.to);
    }
  }
}
BENCHMARK(BM_RegistryMovesAlone)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
