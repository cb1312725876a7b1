#include "tweaks/SystemToggles.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tovr::tweaks {

namespace {

constexpr std::string_view kFolderShellKey = "SOFTWARE\\Classes\\Folder\\shell";
constexpr std::string_view kExploreVerb = "explore";
constexpr std::string_view kExplorerPolicyKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr std::string_view kNoSaveSettings = "NoSaveSettings";
constexpr std::string_view kRunKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kRunValue = "Tovr";

// A string value's text; nullopt when the value is missing or holds another type (data of a
// foreign type is simply not our setting, it must not stop the start-up or the save).
std::optional<std::string> ReadText(const IRegistryKey& key, std::string_view name) {
  std::optional<RegValue> value = key.Read(name);
  if (!value || !value->IsString()) return std::nullopt;
  return value->Text();
}

// The stored number of a 32-bit setting: its first four bytes, little-endian, whether it is
// kept as binary data or as an integer. Shorter data fills the low bytes.
std::uint32_t NumberOf(const RegValue& value) {
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < value.data.size() && i < 4; ++i) {
    n |= static_cast<std::uint32_t>(value.data[i]) << (8 * i);
  }
  return n;
}

[[noreturn]] void ThrowSetDataFailed(std::string_view name) {
  throw Error(FormatMessage1(kRegSetDataFailed, name));
}

}  // namespace

bool SystemToggles::IsFolderExplore() {
  auto key = registry_.Open(RegRoot::LocalMachine, kFolderShellKey, RegOpen::CreateIfMissing);
  if (!key) return false;
  return ReadText(*key, "") == kExploreVerb;
}

void SystemToggles::SetFolderExplore(bool on) {
  auto key = registry_.Open(RegRoot::LocalMachine, kFolderShellKey, RegOpen::CreateIfMissing);
  if (on) {
    if (!key) ThrowSetDataFailed("");
    key->WriteString("", kExploreVerb);
  } else if (key) {
    key->DeleteValue("");
  }
}

bool SystemToggles::ExplorerNoSave(int mode) {
  const bool writes = mode == 0 || mode == 1;
  auto key = registry_.Open(RegRoot::CurrentUser, kExplorerPolicyKey, RegOpen::CreateIfMissing);
  if (!key) {
    if (writes) ThrowSetDataFailed(kNoSaveSettings);
    return false;
  }
  std::uint32_t previous = 0;
  if (std::optional<RegValue> stored = key->Read(kNoSaveSettings)) previous = NumberOf(*stored);

  if (writes) {
    const auto n = static_cast<std::uint32_t>(mode);
    const std::array<std::uint8_t, 4> bytes{static_cast<std::uint8_t>(n), 0, 0, 0};
    try {
      key->WriteBinary(kNoSaveSettings, bytes);
    } catch (const Error&) {
      // Fall back to the integer form of the same number: the user's choice is what gets
      // written, never the state found before (which would report a save that changed nothing).
      key->WriteDword(kNoSaveSettings, n);
    }
  }
  return previous == 1;
}

bool SystemToggles::IsAutorun(const std::string& exePath) {
  auto key = registry_.Open(RegRoot::LocalMachine, kRunKey, RegOpen::CreateIfMissing);
  if (!key) return false;
  return ReadText(*key, kRunValue) == exePath;
}

void SystemToggles::SetAutorun(const std::string& exePath, bool on) {
  auto key = registry_.Open(RegRoot::LocalMachine, kRunKey, RegOpen::CreateIfMissing);
  if (on) {
    if (!key) ThrowSetDataFailed(kRunValue);
    key->WriteString(kRunValue, exePath);
  } else if (key && ReadText(*key, kRunValue) == exePath) {
    key->DeleteValue(kRunValue);
  }
}

}  // namespace tovr::tweaks
