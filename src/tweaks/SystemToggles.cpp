#include "tweaks/SystemToggles.h"

#include <array>
#include <cstdint>

namespace tovr::tweaks {

namespace {

constexpr std::string_view kMachineFolderShellKey = "SOFTWARE\\Classes\\Folder\\shell";
constexpr std::string_view kUserFolderShellKey = "Software\\Classes\\Folder\\shell";
constexpr std::string_view kExploreVerb = "explore";
constexpr std::string_view kExplorerPolicyKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr std::string_view kNoSaveSettings = "NoSaveSettings";
constexpr std::string_view kMachineRunKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kUserRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kRunValue = "Tovr";

// The stored number of a 32-bit setting: its first four bytes, little-endian, whether it is
// kept as binary data or as an integer. Shorter data fills the low bytes.
std::uint32_t NumberOf(const RegValue& value) {
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < value.data.size() && i < 4; ++i) {
    n |= static_cast<std::uint32_t>(value.data[i]) << (8 * i);
  }
  return n;
}

// A string value's text; nullopt when the value is missing, unreadable or holds another type
// (data of a foreign type is simply not our setting, it must not stop the start-up or the save).
std::optional<std::string> TextOf(const IRegistryKey& key, std::string_view name) {
  std::optional<RegValue> value;
  try {
    value = key.Read(name);
  } catch (const Error&) {
    return std::nullopt;
  }
  if (!value || !value->IsString()) return std::nullopt;
  return value->Text();
}

[[noreturn]] void ThrowSetDataFailed(std::string_view name) {
  throw Error(FormatMessage1(kRegSetDataFailed, name));
}

}  // namespace

std::optional<std::string> SystemToggles::ReadText(RegRoot root, std::string_view key,
                                                   std::string_view name) {
  auto opened = registry_.Open(root, key, RegOpen::ReadOnly);
  return opened ? TextOf(*opened, name) : std::nullopt;
}

bool SystemToggles::TryWriteString(RegRoot root, std::string_view key, std::string_view name,
                                   std::string_view data) {
  auto opened = registry_.Open(root, key, RegOpen::CreateIfMissing);
  if (!opened) return false;
  try {
    opened->WriteString(name, data);
  } catch (const Error&) {
    return false;
  }
  return true;
}

void SystemToggles::DeleteValue(RegRoot root, std::string_view key, std::string_view name,
                                const std::optional<std::string>& only) {
  {
    // Looked at with read access first: where there is nothing to delete, no key is opened
    // for writing.
    auto reading = registry_.Open(root, key, RegOpen::ReadOnly);
    if (!reading || !reading->HasValue(name)) return;
    if (only && TextOf(*reading, name) != only) return;
  }
  if (auto writing = registry_.Open(root, key, RegOpen::Existing)) writing->DeleteValue(name);
}

bool SystemToggles::IsFolderExplore() {
  // The shell prefers the user's own class key to the machine's.
  auto user = registry_.Open(RegRoot::CurrentUser, kUserFolderShellKey, RegOpen::ReadOnly);
  if (user && user->HasValue("")) return TextOf(*user, "") == kExploreVerb;
  return ReadText(RegRoot::LocalMachine, kMachineFolderShellKey, "") == kExploreVerb;
}

void SystemToggles::SetFolderExplore(bool on) {
  if (!on) {
    DeleteValue(RegRoot::CurrentUser, kUserFolderShellKey, "");
    DeleteValue(RegRoot::LocalMachine, kMachineFolderShellKey, "");
    return;
  }
  if (IsFolderExplore()) return;  // what the shell uses already
  // A value of the user's own hides the machine-wide one: then only the user's own helps.
  auto user = registry_.Open(RegRoot::CurrentUser, kUserFolderShellKey, RegOpen::ReadOnly);
  const bool userValue = user && user->HasValue("");
  if (!userValue &&
      TryWriteString(RegRoot::LocalMachine, kMachineFolderShellKey, "", kExploreVerb)) {
    return;
  }
  if (!TryWriteString(RegRoot::CurrentUser, kUserFolderShellKey, "", kExploreVerb)) {
    ThrowSetDataFailed("");
  }
}

bool SystemToggles::ExplorerNoSave(int mode) {
  const bool writes = mode == 0 || mode == 1;
  auto key = registry_.Open(RegRoot::CurrentUser, kExplorerPolicyKey,
                            writes ? RegOpen::CreateIfMissing : RegOpen::ReadOnly);
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
  return ReadText(RegRoot::LocalMachine, kMachineRunKey, kRunValue) == exePath ||
         ReadText(RegRoot::CurrentUser, kUserRunKey, kRunValue) == exePath;
}

void SystemToggles::SetAutorun(const std::string& exePath, bool on) {
  if (!on) {
    DeleteValue(RegRoot::LocalMachine, kMachineRunKey, kRunValue, exePath);
    DeleteValue(RegRoot::CurrentUser, kUserRunKey, kRunValue, exePath);
    return;
  }
  // Named already in either key: a second entry would start the program twice at logon.
  if (IsAutorun(exePath)) return;
  if (TryWriteString(RegRoot::LocalMachine, kMachineRunKey, kRunValue, exePath)) return;
  if (!TryWriteString(RegRoot::CurrentUser, kUserRunKey, kRunValue, exePath)) {
    ThrowSetDataFailed(kRunValue);
  }
}

}  // namespace tovr::tweaks
