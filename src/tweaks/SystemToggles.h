// The three system settings of the settings page that live in the registry, not in Config.ini:
// folders opened with the two-pane Explorer (CE), Explorer's policy against saving its settings
// at exit (CKExitSave) and the program starting with Windows (CW).
//
//   CE          HKLM  SOFTWARE\Classes\Folder\shell                          (default) = "explore"
//   CKExitSave  HKCU  Software\Microsoft\Windows\CurrentVersion\Policies\Explorer
//                                                    NoSaveSettings = 1 (4 bytes, REG_BINARY)
//   CW          HKLM  \SOFTWARE\Microsoft\Windows\CurrentVersion\Run         Tovr = the exe's path
//
// Every key is opened with full access and created when missing, for reading as well as for
// writing. A key that cannot be opened reads as unticked. Comparisons are exact (case-sensitive).
// A write the system refuses throws tovr::Error "Failed to set data for '%s'" with the value
// name (empty for a default value); a failed delete is ignored.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace tovr::tweaks {

class SystemToggles {
 public:
  explicit SystemToggles(IRegistry& registry) : registry_(registry) {}

  // The Folder class's default verb is exactly "explore".
  bool IsFolderExplore();
  // On: the default value becomes "explore"; off: the default value is deleted.
  void SetFolderExplore(bool on);

  // Mode 0 switches the policy off, 1 on, any other mode (2 at start-up) only reads it. Returns
  // the state found before any change: the stored number is 1. The value is written as four
  // little-endian bytes of REG_BINARY; when the system refuses that, as a REG_DWORD of the same
  // number.
  bool ExplorerNoSave(int mode);

  // "Tovr" holds exactly `exePath`.
  bool IsAutorun(const std::string& exePath);
  // On: "Tovr" = exePath. Off: "Tovr" is deleted only when it holds exactly exePath, so an
  // entry of another copy of the program stays.
  void SetAutorun(const std::string& exePath, bool on);

 private:
  IRegistry& registry_;
};

}  // namespace tovr::tweaks
