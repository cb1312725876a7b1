#include "startup/StartupStore.h"

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "platform/RegistryPath.h"

namespace tovr::startup {

namespace {

struct StartupKey {
  RegRoot root;
  bool run;
  const char* label;
};

// In the order of the load.
constexpr std::array<StartupKey, 4> kKeys{{{RegRoot::LocalMachine, true, kAllUsersLabel},
                                          {RegRoot::LocalMachine, false, kAllUsersLabel},
                                          {RegRoot::CurrentUser, true, kCurrentUserLabel},
                                          {RegRoot::CurrentUser, false, kCurrentUserLabel}}};

std::size_t KeyIndex(RegRoot root, bool run) { return (root == RegRoot::LocalMachine ? 0 : 2) + (run ? 0 : 1); }

// A place as one comparable text: the key's index, then the name folded as the registry folds it.
std::u16string PlaceKey(const StoredAt& at) {
  return static_cast<char16_t>(u'0' + KeyIndex(at.root, at.run)) + FoldRegistryName(at.name);
}

// The four keys as the apply sees them: their values read once, each key opened for writing at
// most once.
class Applier {
 public:
  explicit Applier(IRegistry& registry) : registry_(registry) {}

  // True when the value holds `value` under exactly this name afterwards. A value is compared
  // by its type and text: bytes after the text's end (or a missing end) are not a change.
  bool Put(const StoredAt& at, const RegValue& value) {
    Key& key = KeyOf(at);
    const std::u16string folded = FoldRegistryName(at.name);
    const auto it = key.values.find(folded);
    const bool renamed = it != key.values.end() && it->second.name != at.name;  // letter case only
    if (it != key.values.end() && !renamed && it->second.value.type == value.type &&
        it->second.value.Text() == value.Text()) {
      return true;
    }
    IRegistryKey* writer = Writer(key);
    // The system keeps a value's first spelling when it is written again: a new spelling
    // needs the old value gone first (and put back when the new one cannot be written).
    if (!writer || (renamed && !writer->DeleteValue(it->second.name)) || !Write(*writer, at.name, value)) {
      if (writer && renamed) Write(*writer, it->second.name, it->second.value);
      Failed(at.name);
      return false;
    }
    key.values[folded] = {at.name, value};
    return true;
  }

  // True when no string value is left at the place (a value of another type is not the list's).
  bool Remove(const StoredAt& at) {
    Key& key = KeyOf(at);
    const auto it = key.values.find(FoldRegistryName(at.name));
    if (it == key.values.end() || !it->second.value.IsString()) return true;
    IRegistryKey* writer = Writer(key);
    if (!writer || !writer->DeleteValue(at.name)) {
      Failed(at.name);
      return false;
    }
    key.values.erase(it);
    return true;
  }

  const std::optional<std::string>& FirstFailure() const { return failure_; }

 private:
  struct Key {
    RegRoot root = RegRoot::CurrentUser;
    bool run = true;
    bool read = false;
    bool refused = false;
    std::unordered_map<std::u16string, RegNamedValue> values;  // by folded name
    std::unique_ptr<IRegistryKey> writer;
  };

  Key& KeyOf(const StoredAt& at) {
    Key& key = keys_[KeyIndex(at.root, at.run)];
    if (!key.read) {
      key.read = true;
      key.root = at.root;
      key.run = at.run;
      if (auto reader = registry_.Open(at.root, KeyPathOf(at.run), RegOpen::ReadOnly)) {
        for (RegNamedValue& v : reader->Values()) key.values.emplace(FoldRegistryName(v.name), std::move(v));
      }
    }
    return key;
  }

  IRegistryKey* Writer(Key& key) {
    if (!key.writer && !key.refused) {
      key.writer = registry_.Open(key.root, KeyPathOf(key.run), RegOpen::CreateIfMissing);
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

  void Failed(const std::string& name) {
    if (!failure_) failure_ = name;
  }

  IRegistry& registry_;
  std::array<Key, 4> keys_;
  std::optional<std::string> failure_;
};

}  // namespace

void LoadStartupRows(StartupList& list, IRegistry& registry, const std::function<int(const std::string&)>& iconOf) {
  if (!list.Empty()) return;
  std::vector<StartupEntry> rows;
  try {
    for (const StartupKey& k : kKeys) {
      auto key = registry.Open(k.root, KeyPathOf(k.run), RegOpen::ReadOnly);
      if (!key) continue;
      for (RegNamedValue& v : key->Values()) {
        if (!v.value.IsString()) throw Error(FormatMessage1(kRegInvalidDataType, v.name));
        StartupEntry e;
        e.command = v.value.Text();
        e.iconIndex = iconOf(e.command);
        e.location = k.label;
        e.enabled = k.run;
        e.type = v.value.type;
        e.stored = StoredAt{k.root, k.run, v.name};
        e.name = std::move(v.name);
        rows.push_back(std::move(e));
      }
    }
  } catch (...) {
    list.AppendLoaded(std::move(rows));
    throw;
  }
  list.AppendLoaded(std::move(rows));
}

void ApplyStartupRows(StartupList& list, IRegistry& registry) {
  if (list.Empty()) return;
  Applier registryKeys(registry);

  // Where the list's values are before the apply.
  std::vector<StoredAt> before = std::move(list.RemovedValues());
  list.RemovedValues().clear();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (list[i].stored) before.push_back(*list[i].stored);
  }

  // First every row's value at its place; a row that cannot be written keeps its old place.
  std::unordered_set<std::u16string> held;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const StartupEntry& e = list[i];
    const std::optional<RegRoot> root = RootOfLocation(e.location);
    StoredAt target{root.value_or(RegRoot::CurrentUser), e.enabled, e.name};
    if (root && registryKeys.Put(target, RegValue::FromString(e.command, e.type))) {
      held.insert(PlaceKey(target));
      list.SetStored(i, std::move(target));
    } else if (e.stored) {
      held.insert(PlaceKey(*e.stored));
    }
  }

  // Then the values no row holds any more.
  std::unordered_set<std::u16string> done;
  for (StoredAt& at : before) {
    const std::u16string key = PlaceKey(at);
    if (held.contains(key) || !done.insert(key).second) continue;
    if (!registryKeys.Remove(at)) list.RemovedValues().push_back(std::move(at));  // tried again next time
  }

  if (registryKeys.FirstFailure()) throw Error(FormatMessage1(kRegSetDataFailed, *registryKeys.FirstFailure()));
}

}  // namespace tovr::startup
