#include "shortcuts/DesktopShortcuts.h"

#include <array>
#include <utility>

#include "base/Error.h"
#include "base/Text.h"
#include "platform/RegistryPath.h"

namespace tovr::shortcuts {

namespace {

constexpr char kLinkPattern[] = "*.lnk";

// A name the file search gave for a file directly in the folder: no separator, not "." or "..".
bool IsPlainEntryName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("\\/") == std::string_view::npos;
}

bool IsDeviceName(std::string_view name) {
  // Windows maps the device names to devices whatever follows the first "." and whatever
  // blanks precede it.
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  base = text::AsciiLower(base);
  static constexpr std::array<std::string_view, 4> kPlain = {"con", "prn", "aux", "nul"};
  for (std::string_view d : kPlain) {
    if (base == d) return true;
  }
  return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) &&
         base[3] >= '1' && base[3] <= '9';
}

// Only a full path names a folder for sure: "X:\..." or "\\server\share...". A relative
// value would depend on the current folder.
bool IsAbsoluteFolder(std::string_view folder) {
  const auto letter = static_cast<unsigned char>(folder.empty() ? 0 : folder[0] | 0x20);
  const bool drive = folder.size() >= 3 && letter >= 'a' && letter <= 'z' && folder[1] == ':' &&
                     folder[2] == '\\';
  return drive || (folder.size() > 2 && folder.starts_with("\\\\"));
}

std::string InFolder(const std::string& folder, std::string_view name) {
  return (folder.ends_with('\\') ? folder : folder + "\\") + std::string(name);
}

}  // namespace

bool IsSafeLinkName(std::string_view name) {
  if (name.empty() || name.find("..") != std::string_view::npos) return false;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  return !IsDeviceName(name);
}

DesktopShortcuts::DesktopShortcuts(ShortcutList& list, IRegistry& registry,
                                   std::function<void()> showShortcutPage)
    : list_(list), registry_(registry), showShortcutPage_(std::move(showShortcutPage)) {}

DesktopShortcuts::Folder DesktopShortcuts::DesktopFolder(RegRoot root, const char* key,
                                                         const char* value) {
  auto opened = registry_.Open(root, key, RegOpen::ReadOnly);
  if (!opened) {
    std::string name = std::string(RegRootName(root)) + "\\" + NormalizeKeyPath(key);
    return {std::nullopt, FormatMessage1(kNoDesktopKey, name)};
  }
  const Folder unknown{std::nullopt, FormatMessage1(kNoDesktopValue, value)};
  std::optional<RegValue> v;
  try {
    v = opened->Read(value);
  } catch (const Error&) {
    return unknown;  // unreadable: not determined
  }
  if (!v || !v->IsString()) return unknown;
  std::string folder = v->Text();
  // The values hold the folder without its trailing "\"; one written with it still names the
  // same folder. A drive's root keeps its "\".
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  if (!IsAbsoluteFolder(folder)) return unknown;
  return {folder, {}};
}

DesktopShortcuts::Folder DesktopShortcuts::UserDesktop() {
  return DesktopFolder(RegRoot::CurrentUser, kUserShellFoldersKey, kUserDesktopValue);
}

DesktopShortcuts::Folder DesktopShortcuts::CommonDesktop() {
  return DesktopFolder(RegRoot::LocalMachine, kCommonShellFoldersKey, kCommonDesktopValue);
}

void DesktopShortcuts::Say(const std::string& text) {
  list_.Ports().messages.Show(text, kErrorCaption, kNoDesktopFlags);
}

void DesktopShortcuts::OnImportDesktopLinksClicked() {
  const Folder user = UserDesktop();
  if (!user.path) return Say(user.problem + kNothingDone);
  const Folder common = CommonDesktop();
  if (!common.path) Say(common.problem + kUserDesktopOnly);
  IFileSystem& files = list_.Ports().files;
  try {
    for (const std::optional<std::string>* folder : {&user.path, &common.path}) {
      if (!*folder) continue;
      for (const std::string& name : files.ListFiles(**folder, kLinkPattern)) {
        if (!IsPlainEntryName(name) || !IsShellLinkPath(name)) continue;
        list_.AddShortcut("", InFolder(**folder, name), true);
      }
    }
  } catch (...) {
    // A link the shell cannot read ends the import; the rows taken so far stay, in order.
    list_.SortShortcuts();
    throw;
  }
  list_.SortShortcuts();
  if (showShortcutPage_) showShortcutPage_();
}

void DesktopShortcuts::OnDeleteDesktopLinksClicked() {
  const Folder user = UserDesktop();
  if (!user.path) return Say(user.problem + kNothingDone);
  ShortcutPorts& ports = list_.Ports();
  if (ports.messages.Show(kDeleteAllQuestion, kDeleteAllCaption, kDeleteAllFlags) != kIdYes) {
    return;
  }
  for (const std::string& name : ports.files.ListFiles(*user.path, kLinkPattern)) {
    if (!IsPlainEntryName(name) || !IsShellLinkPath(name)) continue;
    ports.files.RemoveFile(InFolder(*user.path, name));  // a file that stays is skipped silently
  }
}

void DesktopShortcuts::OnExportDesktopLinksClicked() {
  const Folder common = CommonDesktop();
  if (!common.path) return Say(common.problem + kNothingDone);
  const std::string& folder = *common.path;
  IShellLinks& links = list_.Ports().links;
  for (std::size_t row = 0; row < list_.Count(); ++row) {
    const ShortcutEntry& e = list_[row];
    if (!IsSafeLinkName(e.name)) continue;
    const LinkSaveResult saved = links.CreateShellLink(
        e.target, InFolder(folder, e.name + ".lnk"), folder, e.name + kExportDescriptionSuffix);
    // Any other failure is this link's own: skipped. A refusal would meet every other link too.
    if (!saved && saved.accessDenied) throw Error(saved.error);
  }
}

}  // namespace tovr::shortcuts
