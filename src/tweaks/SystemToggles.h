// The three system settings of the settings page that live in the registry, not in Config.ini:
// folders opened with the two-pane Explorer (folderExploreBox), Explorer's policy against saving its settings
// at exit (noSaveOnExitBox) and the program starting with Windows (autoRunBox).
//
//   folderExploreBox          HKCU  Software\Classes\Folder\shell    (default) = "explore"   (per user, preferred
//               HKLM  SOFTWARE\Classes\Folder\shell                             by the shell)
//   noSaveOnExitBox  HKCU  Software\Microsoft\Windows\CurrentVersion\Policies\Explorer
//                                                    NoSaveSettings = 1 (4 bytes, REG_BINARY)
//   autoRunBox          HKLM  \SOFTWARE\Microsoft\Windows\CurrentVersion\Run         Tovr = the exe's path
//               HKCU  Software\Microsoft\Windows\CurrentVersion\Run     (where HKLM is refused)
//
// Keys are opened with the least access the operation needs: reading opens existing keys for
// reading only and creates nothing; a key is created (and opened for writing) only where a
// value is written; deletions open existing keys. A user without administrator rights can read
// HKEY_LOCAL_MACHINE but not write it, so the machine-wide values fall back to the user's own.
// A key that cannot be opened reads as unticked. Comparisons are exact (case-sensitive).
// A write the system refuses throws tovr::Error "Failed to set data for '%s'" with the value
// name (empty for a default value); a failed delete is ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace tovr::tweaks {

class SystemToggles {
 public:
  explicit SystemToggles(IRegistry& registry) : registry_(registry) {}

  // The Folder class's default verb that the shell uses is exactly "explore": the user's own
  // value where it exists, else the machine-wide one.
  bool IsFolderExplore();
  // On (nothing is written when the shell already uses "explore"): "explore" becomes the
  // machine-wide default verb where that can be written, else the user's own; the user's own
  // also where a value of the user's own exists (it hides the machine-wide one). Off: the
  // default value is deleted from both where it can be.
  void SetFolderExplore(bool on);

  // Mode 0 switches the policy off, 1 on, any other mode (2 at start-up) only reads it. Returns
  // the state found before any change: the stored number is 1. The value is written as four
  // little-endian bytes of REG_BINARY; when the system refuses that, as a REG_DWORD of the same
  // number.
  bool ExplorerNoSave(int mode);

  // "Tovr" holds exactly `exePath` in the machine's or the user's Run key.
  bool IsAutorun(const std::string& exePath);
  // On: nothing is written when either key names exePath already (a second entry would start
  // the program twice at logon, the second start meeting the running instance); else "Tovr" =
  // exePath in the machine's Run key where that can be written, else in the user's. Off: "Tovr"
  // is deleted from both, but only where it holds exactly exePath, so an entry of another copy
  // of the program stays.
  void SetAutorun(const std::string& exePath, bool on);

 private:
  // Writes a string value, creating its key; false when the system refuses the key or the value.
  bool TryWriteString(RegRoot root, std::string_view key, std::string_view name,
                      std::string_view data);
  // The value's text when it is a string; nullopt when it, or its key, is missing or unreadable.
  std::optional<std::string> ReadText(RegRoot root, std::string_view key, std::string_view name);
  // Deletes the value where the key can be opened for writing (and `only`, when given, is what
  // it holds); failures are ignored.
  void DeleteValue(RegRoot root, std::string_view key, std::string_view name,
                   const std::optional<std::string>& only = std::nullopt);

  IRegistry& registry_;
};

}  // namespace tovr::tweaks
