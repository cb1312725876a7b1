#include "startup/StartupStore.h"

#include <algorithm>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "base/Text.h"
#include "platform/RegistryPath.h"

namespace tovr::startup {

namespace {

// A place as one comparable text: the source and Run or NeverRun, then the name folded as the
// registry folds it (file names fold alike).
std::u16string PlaceKey(const StoredAt& at) {
  return static_cast<char16_t>(u'0' + static_cast<int>(at.source) * 2 + (at.run ? 0 : 1)) + FoldRegistryName(at.name);
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

bool SameValue(const RegValue& a, const RegValue& b) {
  return a.type == b.type && (a.IsString() ? a.Text() == b.Text() : a.data == b.data);
}

// The names (folded) whose StartupApproved value of this source says off.
std::unordered_set<std::string> SwitchedOff(IRegistry& registry, const SourceKeys& k) {
  std::unordered_set<std::string> off;
  if (auto key = registry.Open(k.root, ApprovedKeyPathOf(k.source), RegOpen::ReadOnly)) {
    for (const RegNamedValue& v : key->Values()) {
      if (ApprovedSaysOff(v.value)) off.insert(FoldRegistryNameUtf8(v.name));
    }
  }
  return off;
}

// The keys as the apply sees them: their values read once, each key opened for writing at most
// once.
class Applier {
 public:
  explicit Applier(IRegistry& registry) : registry_(registry) {}

  // True when the value holds `value` under exactly this name afterwards. A value is compared
  // by its type and, for strings, its text: bytes after the text's end (or a missing end) are
  // not a change.
  bool Put(RegRoot root, const std::string& path, const std::string& name, const RegValue& value) {
    Key& key = KeyOf(root, path);
    const std::u16string folded = FoldRegistryName(name);
    const auto it = key.values.find(folded);
    const bool renamed = it != key.values.end() && it->second.name != name;  // letter case only
    if (it != key.values.end() && !renamed && SameValue(it->second.value, value)) return true;
    IRegistryKey* writer = Writer(key);
    // The system keeps a value's first spelling when it is written again: a new spelling
    // needs the old value gone first (and put back when the new one cannot be written).
    if (!writer || (renamed && !writer->DeleteValue(it->second.name)) || !Write(*writer, name, value)) {
      if (writer && renamed) Write(*writer, it->second.name, it->second.value);
      Failed(name);
      return false;
    }
    key.values[folded] = {name, value};
    return true;
  }

  // True when no string value is left under the name (a value of another type is not the list's).
  bool Remove(RegRoot root, const std::string& path, const std::string& name) {
    Key& key = KeyOf(root, path);
    const auto it = key.values.find(FoldRegistryName(name));
    if (it == key.values.end() || !it->second.value.IsString()) return true;
    IRegistryKey* writer = Writer(key);
    if (!writer || !writer->DeleteValue(name)) {
      Failed(name);
      return false;
    }
    key.values.erase(it);
    return true;
  }

  void Failed(const std::string& name) {
    if (!failure_) failure_ = name;
  }
  const std::optional<std::string>& FirstFailure() const { return failure_; }

 private:
  struct Key {
    RegRoot root = RegRoot::CurrentUser;
    std::string path;
    bool refused = false;
    std::unordered_map<std::u16string, RegNamedValue> values;  // by folded name
    std::unique_ptr<IRegistryKey> writer;
  };

  Key& KeyOf(RegRoot root, const std::string& path) {
    auto [it, added] = keys_.try_emplace(std::string(RegRootName(root)) + path);
    Key& key = it->second;
    if (added) {
      key.root = root;
      key.path = path;
      if (auto reader = registry_.Open(root, path, RegOpen::ReadOnly)) {
        for (RegNamedValue& v : reader->Values()) key.values.emplace(FoldRegistryName(v.name), std::move(v));
      }
    }
    return key;
  }

  IRegistryKey* Writer(Key& key) {
    if (!key.writer && !key.refused) {
      key.writer = registry_.Open(key.root, key.path, RegOpen::CreateIfMissing);
      key.refused = !key.writer;
    }
    return key.writer.get();
  }

  static bool Write(IRegistryKey& writer, const std::string& name, const RegValue& value) {
    try {
      writer.Write(name, value);
      return true;
    } catch (const Error&) {
      return false;  // reported once, after every other change is made
    }
  }

  IRegistry& registry_;
  std::map<std::string, Key> keys_;  // by root name and path
  std::optional<std::string> failure_;
};

// One source as read from the system, before any of its rows is made: the names its
// StartupApproved values switch off (folded), and its Run and NeverRun keys' values or its
// folder's files. Reading everything first lets the rows be made in place once.
struct SourceRead {
  const SourceKeys* keys = nullptr;
  std::unordered_set<std::string> off;
  std::vector<RegNamedValue> values[2];  // Run, NeverRun
  std::string folder;
  std::vector<std::string> files;

  std::size_t Count() const { return values[0].size() + values[1].size() + files.size(); }
  bool Off(std::string_view name) const { return !off.empty() && off.contains(FoldRegistryNameUtf8(name)); }
};

SourceRead ReadSource(const StartupStorePorts& ports, const SourceKeys& k) {
  SourceRead read{&k, SwitchedOff(ports.registry, k), {}, {}, {}};
  if (IsFolder(k.source)) {
    read.folder = ports.system.StartupFolder(k.source == StartupSource::CommonFolder);
    if (!read.folder.empty()) read.files = ports.files.ListFiles(read.folder, "*");
    return read;
  }
  for (const bool run : {true, false}) {
    if (auto key = ports.registry.Open(k.root, KeyPathOf(k.source, run), RegOpen::ReadOnly)) {
      read.values[run ? 0 : 1] = key->Values();
    }
  }
  return read;
}

void MakeKeyRows(std::vector<StartupEntry>& rows, SourceRead& read, const std::function<int(const std::string&)>& iconOf) {
  for (const bool run : {true, false}) {
    for (RegNamedValue& v : read.values[run ? 0 : 1]) {
      if (!v.value.IsString()) throw Error(FormatMessage1(kRegInvalidDataType, v.name));
      StartupEntry& e = rows.emplace_back();  // filled in place: entries are large
      e.command = v.value.Text();
      e.iconIndex = iconOf(e.command);
      e.location = read.keys->label;
      e.approvedOff = read.Off(v.name);
      e.enabled = run && !e.approvedOff;
      e.type = v.value.type;
      e.stored = StoredAt{read.keys->source, run, v.name};
      e.name = std::move(v.name);
    }
  }
}

void MakeFolderRows(std::vector<StartupEntry>& rows, SourceRead& read, IShellLinks& links,
                    const std::function<int(const std::string&)>& iconOf) {
  for (std::string& name : read.files) {
    if (text::EqualsIgnoreAsciiCase(name, "desktop.ini")) continue;
    StartupEntry& e = rows.emplace_back();
    e.file = InFolder(read.folder, name);
    e.command = e.file;
    if (IsShellLinkPath(name)) {
      try {
        if (std::string target = links.ResolveShellLink(e.file); !target.empty()) e.command = std::move(target);
      } catch (const Error&) {
        // an unreadable link shows as itself
      }
    }
    e.storedCommand = e.command;
    e.iconIndex = iconOf(e.file);
    e.location = read.keys->label;
    e.approvedOff = read.Off(name);
    e.enabled = !e.approvedOff;
    e.stored = StoredAt{read.keys->source, true, name};
    e.name = std::move(name);
  }
}

}  // namespace

void LoadStartupRows(StartupList& list, const StartupStorePorts& ports,
                     const std::function<int(const std::string&)>& iconOf) {
  if (!list.Empty()) return;
  std::vector<SourceRead> reads;
  std::exception_ptr readFailure;  // the sources read before it still give their rows
  try {
    for (const SourceKeys& k : kSources) reads.push_back(ReadSource(ports, k));
  } catch (...) {
    readFailure = std::current_exception();
  }
  std::vector<StartupEntry> rows;
  std::size_t count = 0;
  for (const SourceRead& read : reads) count += read.Count();
  rows.reserve(count);
  try {
    for (SourceRead& read : reads) {
      if (IsFolder(read.keys->source)) {
        MakeFolderRows(rows, read, ports.links, iconOf);
      } else {
        MakeKeyRows(rows, read, iconOf);
      }
    }
  } catch (...) {
    list.AppendLoaded(std::move(rows));
    throw;
  }
  list.AppendLoaded(std::move(rows));
  if (readFailure) std::rethrow_exception(readFailure);
}

void ApplyStartupRows(StartupList& list, const StartupStorePorts& ports) {
  if (list.Empty()) return;
  Applier registry(ports.registry);

  // Where the list's values and files are before the apply.
  std::vector<StoredAt> before = std::move(list.RemovedValues());
  list.RemovedValues().clear();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (list[i].stored) before.push_back(*list[i].stored);
  }

  // First every row at its place; a row that cannot be written keeps its old place.
  std::unordered_set<std::u16string> held;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const StartupEntry& e = list[i];
    const std::optional<StartupSource> source = SourceOfLocation(e.location);
    const SourceKeys* k = source ? &KeysOf(*source) : nullptr;
    if (k && IsFolder(*source) && e.stored) {
      if (e.enabled == e.approvedOff &&
          registry.Put(k->root, ApprovedKeyPathOf(*source), e.stored->name, ApprovedValue(e.enabled, ports.system.Now()))) {
        list.SetApprovedOff(i, !e.enabled);
      }
      if (e.command != e.storedCommand) {
        if (ports.links.CreateShellLink(e.command, e.file, FolderPart(e.command), "")) {
          list.SetStoredCommand(i, e.command);
        } else {
          registry.Failed(e.name);
        }
      }
    } else if (k && !IsFolder(*source)) {
      // Switched off by StartupApproved only, and left so: the value stays in Run.
      const bool offInRun = e.approvedOff && e.stored && e.stored->run && e.stored->source == *source &&
                            e.stored->name == e.name;
      StoredAt target{*source, e.enabled || offInRun, e.name};
      if (registry.Put(k->root, KeyPathOf(*source, target.run), e.name, RegValue::FromString(e.command, e.type))) {
        held.insert(PlaceKey(target));
        list.SetStored(i, std::move(target));
        if (e.enabled && e.approvedOff &&
            registry.Put(k->root, ApprovedKeyPathOf(*source), e.name, ApprovedValue(true, 0))) {
          list.SetApprovedOff(i, false);
        }
        continue;
      }
    }
    if (e.stored) held.insert(PlaceKey(*e.stored));
  }

  // Then the values and files no row holds any more.
  std::unordered_set<std::u16string> done;
  for (StoredAt& at : before) {
    const std::u16string key = PlaceKey(at);
    if (held.contains(key) || !done.insert(key).second) continue;
    bool gone = false;
    if (IsFolder(at.source)) {
      const std::string file =
          InFolder(ports.system.StartupFolder(at.source == StartupSource::CommonFolder), at.name);
      gone = !ports.files.FileExists(file) || ports.system.Recycle(file);
      if (!gone) registry.Failed(at.name);
    } else {
      gone = registry.Remove(KeysOf(at.source).root, KeyPathOf(at.source, at.run), at.name);
    }
    if (!gone) list.RemovedValues().push_back(std::move(at));  // tried again next time
  }

  if (registry.FirstFailure()) throw Error(FormatMessage1(kRegSetDataFailed, *registry.FirstFailure()));
}

}  // namespace tovr::startup
