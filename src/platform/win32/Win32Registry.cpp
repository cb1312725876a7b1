#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <utility>

#include "base/win32/Wide.h"
#include "platform/RegistryPath.h"

namespace tovr {

namespace {

// A key opened for writing: KEY_ALL_ACCESS would also ask for the rights to delete the key and
// to change its security and owner, which a key that a user may write need not grant.
// Every key is opened in the 64-bit view. On 64-bit Windows the 32-bit build would otherwise
// read and write the WOW6432Node copies of the machine's keys (the autorun value, the folder
// verb, the startup entries), where the 64-bit build does not see them. 32-bit Windows has one
// view and ignores the flag.
constexpr REGSAM kView = KEY_WOW64_64KEY;
constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE | kView;

HKEY RootHandle(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::Users: return HKEY_USERS;
  }
  return HKEY_CURRENT_USER;
}

// Owns one open key handle.
class UniqueHKey {
 public:
  UniqueHKey() = default;
  explicit UniqueHKey(HKEY h) : h_(h) {}
  UniqueHKey(UniqueHKey&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  UniqueHKey& operator=(UniqueHKey&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }
  UniqueHKey(const UniqueHKey&) = delete;
  UniqueHKey& operator=(const UniqueHKey&) = delete;
  ~UniqueHKey() { Reset(); }

  HKEY get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  void Reset() {
    if (h_) RegCloseKey(h_);
    h_ = nullptr;
  }
  HKEY h_ = nullptr;
};

UniqueHKey OpenSubKey(HKEY parent, const std::wstring& path, REGSAM access) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(parent, path.c_str(), 0, access | kView, &h) != ERROR_SUCCESS) return {};
  return UniqueHKey(h);
}

// Longest subkey and value names of a key, in characters, for the enumeration buffers.
bool QueryNameLengths(HKEY key, DWORD& subKeys, DWORD& subKeyLen, DWORD& values,
                      DWORD& valueLen) {
  return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &subKeyLen, nullptr, &values,
                          &valueLen, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::vector<std::wstring> SubKeyNamesOf(HKEY key) {
  std::vector<std::wstring> names;
  DWORD subKeys = 0, subKeyLen = 0, values = 0, valueLen = 0;
  if (!QueryNameLengths(key, subKeys, subKeyLen, values, valueLen)) return names;
  std::wstring buffer(subKeyLen + 1, L'\0');
  for (DWORD i = 0;; ++i) {
    DWORD len = static_cast<DWORD>(buffer.size());
    const LONG rc = RegEnumKeyExW(key, i, buffer.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) {
      // A longer name was added since the size query: grow and ask again for the same index.
      buffer.resize(buffer.size() * 2 + kMaxRegKeyNameLength);
      --i;
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), len);
  }
  return names;
}

// Deletes `name` under `parent` with everything below it. RegDeleteKey refuses a key that
// still has subkeys (NT family), so the children go first.
bool DeleteTree(HKEY parent, const std::wstring& name) {
  {
    UniqueHKey key = OpenSubKey(parent, name, KEY_ALL_ACCESS);
    if (!key) return false;
    for (const std::wstring& child : SubKeyNamesOf(key.get())) {
      if (!DeleteTree(key.get(), child)) return false;
    }
  }
  return RegDeleteKeyExW(parent, name.c_str(), kView, 0) == ERROR_SUCCESS;
}

class Win32RegistryKey final : public IRegistryKey {
 public:
  explicit Win32RegistryKey(UniqueHKey key) : key_(std::move(key)) {}

  std::optional<RegValue> Read(std::string_view name) const override {
    const std::wstring wname = Widen(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
    std::vector<std::uint8_t> data;
    // The value can grow between the size query and the read: ask until it fits.
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
      data.resize(size);
      rc = RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type, data.data(), &size);
      if (rc == ERROR_SUCCESS) {
        data.resize(size);
        return RegValue{static_cast<RegType>(type), std::move(data)};
      }
    }
    if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
    throw Error(FormatMessage1(kRegGetDataFailed, name));
  }

  bool HasValue(std::string_view name) const override {
    const std::wstring wname = Widen(name);
    return RegQueryValueExW(key_.get(), wname.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
  }

  void Write(std::string_view name, const RegValue& value) override {
    const std::wstring wname = Widen(name);
    const LONG rc = RegSetValueExW(key_.get(), wname.c_str(), 0, static_cast<DWORD>(value.type),
                                   value.data.data(), static_cast<DWORD>(value.data.size()));
    if (rc != ERROR_SUCCESS) throw Error(FormatMessage1(kRegSetDataFailed, name));
  }

  bool DeleteValue(std::string_view name) override {
    const std::wstring wname = Widen(name);
    return RegDeleteValueW(key_.get(), wname.c_str()) == ERROR_SUCCESS;
  }

  std::vector<RegNamedValue> Values() const override {
    std::vector<RegNamedValue> out;
    DWORD subKeys = 0, subKeyLen = 0, values = 0, valueLen = 0;
    if (!QueryNameLengths(key_.get(), subKeys, subKeyLen, values, valueLen)) return out;
    // Names first, then each value by name: the data may be of any size.
    std::vector<std::string> names;
    std::wstring buffer(valueLen + 1, L'\0');
    for (DWORD i = 0;; ++i) {
      DWORD len = static_cast<DWORD>(buffer.size());
      const LONG rc = RegEnumValueW(key_.get(), i, buffer.data(), &len, nullptr, nullptr, nullptr,
                                    nullptr);
      if (rc == ERROR_MORE_DATA && buffer.size() <= kMaxRegValueNameLength) {
        buffer.resize(kMaxRegValueNameLength + 1);
        --i;
        continue;
      }
      if (rc != ERROR_SUCCESS) break;
      names.push_back(Narrow(std::wstring_view(buffer.data(), len)));
    }
    out.reserve(names.size());
    for (std::string& name : names) {
      std::optional<RegValue> value;
      try {
        value = Read(name);
      } catch (const Error&) {
        break;  // the key went away during the walk
      }
      if (value) out.push_back({std::move(name), std::move(*value)});
    }
    return out;
  }

  std::vector<std::string> SubKeyNames() const override {
    std::vector<std::string> out;
    for (const std::wstring& name : SubKeyNamesOf(key_.get())) out.push_back(Narrow(name));
    return out;
  }

 private:
  UniqueHKey key_;
};

}  // namespace

std::unique_ptr<IRegistryKey> Win32Registry::Open(RegRoot root, std::string_view path,
                                                  RegOpen mode) {
  const std::wstring wpath = Widen(NormalizeKeyPath(path));
  HKEY h = nullptr;
  LONG rc;
  if (mode == RegOpen::CreateIfMissing) {
    rc = RegCreateKeyExW(RootHandle(root), wpath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         kReadWrite, nullptr, &h, nullptr);
  } else {
    rc = RegOpenKeyExW(RootHandle(root), wpath.c_str(), 0,
                       mode == RegOpen::ReadOnly ? KEY_READ | kView : kReadWrite, &h);
  }
  if (rc != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32RegistryKey>(UniqueHKey(h));
}

bool Win32Registry::KeyExists(RegRoot root, std::string_view path) {
  return static_cast<bool>(OpenSubKey(RootHandle(root), Widen(NormalizeKeyPath(path)), KEY_READ));
}

bool Win32Registry::DeleteKey(RegRoot root, std::string_view path) {
  std::vector<std::string> parts = SplitKeyPath(path);
  if (parts.empty()) return false;
  const std::string leaf = std::move(parts.back());
  parts.pop_back();
  std::string parentPath;
  for (const std::string& part : parts) parentPath = JoinKeyPath(parentPath, part);
  UniqueHKey parent = OpenSubKey(RootHandle(root), Widen(parentPath), KEY_ALL_ACCESS);
  if (!parent) return false;
  return DeleteTree(parent.get(), Widen(leaf));
}

}  // namespace tovr
