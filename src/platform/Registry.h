// The registry port: keys under a root, opened for one operation with the access it needs, and
// their typed values. Names and string data are UTF-8 here; the Win32 adapter converts them to
// UTF-16.
//
// Failures: a key or value that is not there is an answer (null / nullopt / false), not an
// error. A write that the system refuses, or a value of the wrong type, throws tovr::Error with
// the messages below (value name in place of %s).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"
#include "base/Text.h"

namespace tovr {

inline constexpr std::string_view kRegSetDataFailed = "Failed to set data for '%s'";
inline constexpr std::string_view kRegGetDataFailed = "Failed to get data for '%s'";
inline constexpr std::string_view kRegInvalidDataType = "Invalid data type for '%s'";
inline constexpr std::string_view kRegCreateKeyFailed = "Failed to create key '%s'";

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

inline std::string_view RegRootName(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case RegRoot::CurrentUser: return "HKEY_CURRENT_USER";
    case RegRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case RegRoot::Users: return "HKEY_USERS";
  }
  return "?";
}

// The system's value types, with their REG_* numbers; a value may carry any other number too.
enum class RegType : std::uint32_t {
  None = 0,
  String = 1,        // REG_SZ
  ExpandString = 2,  // REG_EXPAND_SZ
  Binary = 3,        // REG_BINARY
  Dword = 4,         // REG_DWORD (little-endian)
  MultiString = 7,   // REG_MULTI_SZ
  Qword = 11,        // REG_QWORD
};

// A value as the system stores it: its type and its raw bytes. String data is UTF-16LE with a
// terminating NUL, as the W functions write it.
struct RegValue {
  RegType type = RegType::None;
  std::vector<std::uint8_t> data;

  static RegValue FromString(std::string_view utf8, RegType type = RegType::String) {
    RegValue v{type, {}};
    const std::u16string wide = text::Utf8ToUtf16(utf8);
    v.data.reserve((wide.size() + 1) * 2);
    for (char16_t c : wide) {
      v.data.push_back(static_cast<std::uint8_t>(c & 0xFF));
      v.data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    v.data.push_back(0);
    v.data.push_back(0);
    return v;
  }

  static RegValue FromDword(std::uint32_t n) {
    return {RegType::Dword,
            {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
             static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)}};
  }

  static RegValue FromBinary(std::span<const std::uint8_t> bytes) {
    return {RegType::Binary, {bytes.begin(), bytes.end()}};
  }

  bool IsString() const { return type == RegType::String || type == RegType::ExpandString; }

  // The data read as UTF-16LE text up to the first NUL (a missing terminator is tolerated, an
  // odd last byte ignored), in UTF-8. Meaningful for the string types.
  std::string Text() const {
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
      const auto c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
      if (c == 0) break;
      wide.push_back(c);
    }
    return text::Utf16ToUtf8(wide);
  }

  friend bool operator==(const RegValue&, const RegValue&) = default;
};

struct RegNamedValue {
  std::string name;  // empty for the key's default value
  RegValue value;

  friend bool operator==(const RegNamedValue&, const RegNamedValue&) = default;
};

// An open key. Names compare without regard to letter case, as the system's do.
class IRegistryKey {
 public:
  virtual ~IRegistryKey() = default;

  // nullopt when the value does not exist; throws kRegGetDataFailed when it cannot be read
  // (for instance the key was deleted meanwhile).
  virtual std::optional<RegValue> Read(std::string_view name) const = 0;
  virtual bool HasValue(std::string_view name) const = 0;
  // Creates or replaces the value; throws kRegSetDataFailed when the system refuses.
  virtual void Write(std::string_view name, const RegValue& value) = 0;
  // False when the value was not there or could not be deleted.
  virtual bool DeleteValue(std::string_view name) = 0;
  // Every value with its data, in the system's enumeration order (empty when unreadable).
  virtual std::vector<RegNamedValue> Values() const = 0;
  virtual std::vector<std::string> SubKeyNames() const = 0;

  // Typed reads: nullopt when missing; kRegInvalidDataType when stored with another type.
  // ReadString accepts plain and expandable strings (no expansion is done).
  std::optional<std::string> ReadString(std::string_view name) const {
    auto v = Read(name);
    if (!v) return std::nullopt;
    if (!v->IsString()) throw Error(FormatMessage1(kRegInvalidDataType, name));
    return v->Text();
  }

  // kRegGetDataFailed when a REG_DWORD does not hold exactly four bytes.
  std::optional<std::uint32_t> ReadDword(std::string_view name) const {
    auto v = Read(name);
    if (!v) return std::nullopt;
    if (v->type != RegType::Dword) throw Error(FormatMessage1(kRegInvalidDataType, name));
    if (v->data.size() != 4) throw Error(FormatMessage1(kRegGetDataFailed, name));
    return static_cast<std::uint32_t>(v->data[0]) | (static_cast<std::uint32_t>(v->data[1]) << 8) |
           (static_cast<std::uint32_t>(v->data[2]) << 16) |
           (static_cast<std::uint32_t>(v->data[3]) << 24);
  }

  std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view name) const {
    auto v = Read(name);
    if (!v) return std::nullopt;
    if (v->type != RegType::Binary) throw Error(FormatMessage1(kRegInvalidDataType, name));
    return std::move(v->data);
  }

  void WriteString(std::string_view name, std::string_view utf8,
                   RegType type = RegType::String) {
    Write(name, RegValue::FromString(utf8, type));
  }
  void WriteDword(std::string_view name, std::uint32_t n) { Write(name, RegValue::FromDword(n)); }
  void WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes) {
    Write(name, RegValue::FromBinary(bytes));
  }
};

// Existing and CreateIfMissing ask for read and write access (values read, written, deleted;
// subkeys listed and created), not more; ReadOnly opens an existing key with read access only
// (all a standard user gets under HKEY_LOCAL_MACHINE): its writes and deletions fail.
enum class RegOpen { Existing, CreateIfMissing, ReadOnly };

// The registry. Key paths are backslash-separated and always taken under the root: a leading
// backslash (an absolute path) and empty components are ignored, and the empty path is the root
// itself (see RegistryPath.h). Keys are opened with the access RegOpen names.
class IRegistry {
 public:
  virtual ~IRegistry() = default;

  // Null when the key does not exist (and is not to be created) or cannot be opened or created
  // with the access asked for.
  virtual std::unique_ptr<IRegistryKey> Open(RegRoot root, std::string_view path,
                                             RegOpen mode) = 0;
  virtual bool KeyExists(RegRoot root, std::string_view path) = 0;
  // Deletes the key with all its subkeys and values. False when it was not there or could not
  // be deleted completely; the root itself is never deleted.
  virtual bool DeleteKey(RegRoot root, std::string_view path) = 0;

  // Opens the key, creating it when missing; throws kRegCreateKeyFailed (with the path) when
  // that is refused.
  std::unique_ptr<IRegistryKey> Create(RegRoot root, std::string_view path) {
    auto key = Open(root, path, RegOpen::CreateIfMissing);
    if (!key) throw Error(FormatMessage1(kRegCreateKeyFailed, path));
    return key;
  }
};

}  // namespace tovr
