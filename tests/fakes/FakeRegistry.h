// In-memory registry with the system's semantics: names compare without regard to case, values
// enumerate in the order of creation and subkeys in name order, keys can be deleted under an
// open handle (whose operations then fail). Tests can refuse access to a key, make chosen
// changes fail, and inspect every change made through the port.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace tovr {

enum class RegChangeKind { CreateKey, SetValue, DeleteValue, DeleteKey };

struct RegChange {
  RegChangeKind kind = RegChangeKind::SetValue;
  RegRoot root = RegRoot::CurrentUser;
  std::string path;  // the key's path as the caller spelt it, normalized
  std::string name;  // the value name (SetValue, DeleteValue)
  RegValue value;    // SetValue

  friend bool operator==(const RegChange&, const RegChange&) = default;
};

// One Open call: the access asked of the port, whether or not the key could be opened.
struct RegOpenCall {
  RegRoot root = RegRoot::CurrentUser;
  std::string path;  // normalized
  RegOpen mode = RegOpen::Existing;

  friend bool operator==(const RegOpenCall&, const RegOpenCall&) = default;
};

class FakeRegistry final : public IRegistry {
 public:
  FakeRegistry();
  ~FakeRegistry() override;

  std::unique_ptr<IRegistryKey> Open(RegRoot root, std::string_view path, RegOpen mode) override;
  bool KeyExists(RegRoot root, std::string_view path) override;
  bool DeleteKey(RegRoot root, std::string_view path) override;

  // Set-up: stores a value, creating its key; not recorded as a change.
  void Put(RegRoot root, std::string_view path, std::string_view name, const RegValue& value);
  // The key and everything below it can no longer be opened with full access, created or
  // deleted (as HKEY_LOCAL_MACHINE for a user without administrator rights). It still exists.
  void Deny(RegRoot root, std::string_view path);
  // A user without administrator rights: HKEY_LOCAL_MACHINE and both Policies trees of
  // HKEY_CURRENT_USER (Software\Policies and ...\CurrentVersion\Policies) are denied.
  void DenyAsStandardUser();
  // The key's values can no longer be listed: Values() throws, as when the system refuses to
  // enumerate them. Makes the key when missing.
  void FailReads(RegRoot root, std::string_view path);
  // Every later change that `fails` matches is refused as the system refuses a write.
  void FailWhen(std::function<bool(const RegChange&)> fails);

  // Inspection, without creating anything: the value, or nullopt when it or its key is missing.
  std::optional<RegValue> Peek(RegRoot root, std::string_view path, std::string_view name) const;
  // The successful changes made through the port, in order.
  const std::vector<RegChange>& Changes() const;
  void ClearChanges();
  // Every Open call, in order.
  const std::vector<RegOpenCall>& Opens() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

void PrintTo(const RegValue& value, std::ostream* os);
void PrintTo(const RegChange& change, std::ostream* os);
void PrintTo(const RegOpenCall& open, std::ostream* os);

}  // namespace tovr
