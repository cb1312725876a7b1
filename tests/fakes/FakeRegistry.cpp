#include "fakes/FakeRegistry.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>

#include "base/Text.h"
#include "platform/RegistryPath.h"

namespace tovr {

namespace {

struct FakeNode {
  std::string name;
  std::vector<RegNamedValue> values;                 // in the order of creation
  std::vector<std::shared_ptr<FakeNode>> children;  // in name order
  bool deleted = false;
  bool unreadable = false;  // its values cannot be listed

  std::shared_ptr<FakeNode> Child(std::string_view childName) const {
    for (const auto& child : children) {
      if (RegistryNamesEqual(child->name, childName)) return child;
    }
    return nullptr;
  }

  std::shared_ptr<FakeNode> AddChild(const std::string& childName) {
    auto child = std::make_shared<FakeNode>();
    child->name = childName;
    auto at = std::find_if(children.begin(), children.end(), [&](const auto& c) {
      return CompareRegistryNames(c->name, childName) > 0;
    });
    children.insert(at, child);
    return child;
  }

  std::vector<RegNamedValue>::iterator FindValue(std::string_view valueName) {
    return std::find_if(values.begin(), values.end(), [&](const RegNamedValue& v) {
      return RegistryNamesEqual(v.name, valueName);
    });
  }

  void MarkDeleted() {
    deleted = true;
    for (const auto& child : children) child->MarkDeleted();
  }
};

std::size_t Utf16Length(std::string_view s) { return text::Utf8ToUtf16(s).size(); }

bool IsPrefix(const std::vector<std::string>& prefix, const std::vector<std::string>& path) {
  if (prefix.size() > path.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (!RegistryNamesEqual(prefix[i], path[i])) return false;
  }
  return true;
}

std::string JoinParts(const std::vector<std::string>& parts, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out = JoinKeyPath(out, parts[i]);
  return out;
}

}  // namespace

struct FakeRegistry::State {
  std::array<std::shared_ptr<FakeNode>, 4> roots;
  std::vector<std::pair<RegRoot, std::vector<std::string>>> denied;
  std::function<bool(const RegChange&)> fails;
  std::vector<RegChange> changes;
  std::vector<RegOpenCall> opens;

  State() {
    for (auto& root : roots) root = std::make_shared<FakeNode>();
  }

  const std::shared_ptr<FakeNode>& Root(RegRoot root) const {
    return roots.at(static_cast<std::size_t>(root));
  }

  // The key at `path`, made with its parents when missing.
  std::shared_ptr<FakeNode> Made(RegRoot root, std::string_view path) const {
    std::shared_ptr<FakeNode> node = Root(root);
    for (const std::string& part : SplitKeyPath(path)) {
      std::shared_ptr<FakeNode> child = node->Child(part);
      node = child ? std::move(child) : node->AddChild(part);
    }
    return node;
  }

  std::shared_ptr<FakeNode> Find(RegRoot root, const std::vector<std::string>& parts) const {
    std::shared_ptr<FakeNode> node = Root(root);
    for (const std::string& part : parts) {
      node = node->Child(part);
      if (!node) return nullptr;
    }
    return node;
  }

  // True when the key lies at or below a denied key (`orAbove`: or above one).
  bool IsDenied(RegRoot root, const std::vector<std::string>& parts, bool orAbove) const {
    return std::any_of(denied.begin(), denied.end(), [&](const auto& d) {
      return d.first == root && (IsPrefix(d.second, parts) || (orAbove && IsPrefix(parts, d.second)));
    });
  }

  // Records the change unless the test made it fail; returns whether it may go ahead.
  bool Allow(RegChange change) {
    if (fails && fails(change)) return false;
    changes.push_back(std::move(change));
    return true;
  }
};

namespace {

class FakeKey final : public IRegistryKey {
 public:
  FakeKey(std::shared_ptr<FakeRegistry::State> state, std::shared_ptr<FakeNode> node,
          RegRoot root, std::string path, bool readOnly)
      : state_(std::move(state)), node_(std::move(node)), root_(root), path_(std::move(path)),
        readOnly_(readOnly) {}

  std::optional<RegValue> Read(std::string_view name) const override {
    if (node_->deleted) throw Error(FormatMessage1(kRegGetDataFailed, name));
    auto it = node_->FindValue(name);
    if (it == node_->values.end()) return std::nullopt;
    return it->value;
  }

  bool HasValue(std::string_view name) const override {
    return !node_->deleted && node_->FindValue(name) != node_->values.end();
  }

  void Write(std::string_view name, const RegValue& value) override {
    if (node_->deleted || readOnly_ || Utf16Length(name) > kMaxRegValueNameLength ||
        !state_->Allow({RegChangeKind::SetValue, root_, path_, std::string(name), value})) {
      throw Error(FormatMessage1(kRegSetDataFailed, name));
    }
    auto it = node_->FindValue(name);
    if (it != node_->values.end()) {
      it->value = value;  // the name keeps the spelling it was created with
    } else {
      node_->values.push_back({std::string(name), value});
    }
  }

  bool DeleteValue(std::string_view name) override {
    if (node_->deleted || readOnly_) return false;
    auto it = node_->FindValue(name);
    if (it == node_->values.end()) return false;
    if (!state_->Allow({RegChangeKind::DeleteValue, root_, path_, std::string(name), {}})) {
      return false;
    }
    node_->values.erase(it);
    return true;
  }

  std::vector<RegNamedValue> Values() const override {
    if (node_->unreadable) throw Error(FormatMessage1(kRegGetDataFailed, path_));
    if (node_->deleted) return {};
    return node_->values;
  }

  std::vector<std::string> SubKeyNames() const override {
    std::vector<std::string> names;
    if (node_->deleted) return names;
    for (const auto& child : node_->children) names.push_back(child->name);
    return names;
  }

 private:
  std::shared_ptr<FakeRegistry::State> state_;
  std::shared_ptr<FakeNode> node_;
  RegRoot root_;
  std::string path_;
  bool readOnly_;
};

}  // namespace

FakeRegistry::FakeRegistry() : state_(std::make_shared<State>()) {}
FakeRegistry::~FakeRegistry() = default;

std::unique_ptr<IRegistryKey> FakeRegistry::Open(RegRoot root, std::string_view path,
                                                 RegOpen mode) {
  state_->opens.push_back({root, NormalizeKeyPath(path), mode});
  const std::vector<std::string> parts = SplitKeyPath(path);
  for (const std::string& part : parts) {
    if (Utf16Length(part) > kMaxRegKeyNameLength) return nullptr;
  }
  const bool readOnly = mode == RegOpen::ReadOnly;
  if (!readOnly && state_->IsDenied(root, parts, false)) return nullptr;
  std::shared_ptr<FakeNode> node = state_->Root(root);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::shared_ptr<FakeNode> child = node->Child(parts[i]);
    if (!child) {
      if (mode != RegOpen::CreateIfMissing) return nullptr;
      if (!state_->Allow({RegChangeKind::CreateKey, root, JoinParts(parts, i + 1), {}, {}})) {
        return nullptr;
      }
      child = node->AddChild(parts[i]);
    }
    node = std::move(child);
  }
  return std::make_unique<FakeKey>(state_, std::move(node), root, NormalizeKeyPath(path), readOnly);
}

bool FakeRegistry::KeyExists(RegRoot root, std::string_view path) {
  return state_->Find(root, SplitKeyPath(path)) != nullptr;
}

bool FakeRegistry::DeleteKey(RegRoot root, std::string_view path) {
  const std::vector<std::string> parts = SplitKeyPath(path);
  if (parts.empty()) return false;
  const std::vector<std::string> parentParts(parts.begin(), parts.end() - 1);
  std::shared_ptr<FakeNode> parent = state_->Find(root, parentParts);
  std::shared_ptr<FakeNode> node = parent ? parent->Child(parts.back()) : nullptr;
  if (!node || state_->IsDenied(root, parts, true)) return false;
  if (!state_->Allow({RegChangeKind::DeleteKey, root, NormalizeKeyPath(path), {}, {}})) {
    return false;
  }
  node->MarkDeleted();
  std::erase(parent->children, node);
  return true;
}

void FakeRegistry::Put(RegRoot root, std::string_view path, std::string_view name,
                       const RegValue& value) {
  std::shared_ptr<FakeNode> node = state_->Made(root, path);
  auto it = node->FindValue(name);
  if (it != node->values.end()) {
    it->value = value;
  } else {
    node->values.push_back({std::string(name), value});
  }
}

void FakeRegistry::Deny(RegRoot root, std::string_view path) {
  state_->denied.emplace_back(root, SplitKeyPath(path));
}

void FakeRegistry::DenyAsStandardUser() {
  Deny(RegRoot::LocalMachine, "");
  Deny(RegRoot::CurrentUser, "Software\\Policies");
  Deny(RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies");
}

void FakeRegistry::FailReads(RegRoot root, std::string_view path) { state_->Made(root, path)->unreadable = true; }

void FakeRegistry::FailWhen(std::function<bool(const RegChange&)> fails) {
  state_->fails = std::move(fails);
}

std::optional<RegValue> FakeRegistry::Peek(RegRoot root, std::string_view path,
                                           std::string_view name) const {
  std::shared_ptr<FakeNode> node = state_->Find(root, SplitKeyPath(path));
  if (!node) return std::nullopt;
  auto it = node->FindValue(name);
  if (it == node->values.end()) return std::nullopt;
  return it->value;
}

const std::vector<RegChange>& FakeRegistry::Changes() const { return state_->changes; }

void FakeRegistry::ClearChanges() { state_->changes.clear(); }

const std::vector<RegOpenCall>& FakeRegistry::Opens() const { return state_->opens; }

void PrintTo(const RegValue& value, std::ostream* os) {
  *os << "type " << static_cast<std::uint32_t>(value.type);
  if (value.IsString()) {
    *os << " \"" << value.Text() << "\"";
    return;
  }
  *os << " [";
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", value.data[i]);
    *os << (i ? " " : "") << hex;
  }
  *os << "]";
}

void PrintTo(const RegChange& change, std::ostream* os) {
  static constexpr const char* kKinds[] = {"CreateKey", "SetValue", "DeleteValue", "DeleteKey"};
  *os << kKinds[static_cast<int>(change.kind)] << " " << RegRootName(change.root) << "\\"
      << change.path;
  if (change.kind == RegChangeKind::SetValue || change.kind == RegChangeKind::DeleteValue) {
    *os << " '" << change.name << "'";
  }
  if (change.kind == RegChangeKind::SetValue) {
    *os << " = ";
    PrintTo(change.value, os);
  }
}

void PrintTo(const RegOpenCall& open, std::ostream* os) {
  static constexpr const char* kModes[] = {"Existing", "CreateIfMissing", "ReadOnly"};
  *os << kModes[static_cast<int>(open.mode)] << " " << RegRootName(open.root) << "\\" << open.path;
}

}  // namespace tovr
