// The startup page TSRun as one object: the list LR, the flag startupChanged and the page's
// commands (the side buttons Add, Delete, Modify and Refresh while the page is active, the
// double-click on a row), the load when the main window is shown and the apply at the save.
// The main window holds one and delegates each handler to it in one line; the Win32 view
// (startup/win32/StartupPageView) mirrors LR.
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "shortcuts/ShellDialogs.h"
#include "shortcuts/ShellExecute.h"
#include "shortcuts/ShellPorts.h"
#include "startup/StartupList.h"
#include "startup/StartupSystem.h"

namespace tovr::startup {

// ShowWindow's SW_HIDE: an entry started from the list runs without showing its window.
inline constexpr int kShowHidden = 0;

struct StartupPagePorts {
  IRegistry& registry;
  IFileSystem& files;
  shortcuts::IShellIcons& icons;
  shortcuts::IShellExecute& shell;
  shortcuts::IShellDialogs& dialogs;  // OpenDialog1
  IStartupSystem& system;
};

class StartupPage {
 public:
  explicit StartupPage(StartupPagePorts ports);
  StartupPage(const StartupPage&) = delete;
  StartupPage& operator=(const StartupPage&) = delete;

  // Fills LR from the four keys when it is empty (see LoadStartupRows).
  void LoadStartupEntries();
  // Empties LR (the first half of Refresh, which drops unsaved edits).
  void ClearStartupList() { LR.Clear(); }
  // At the save when startupChanged is set (see ApplyStartupRows).
  void ApplyStartupEntries();
  int CommandIconIndex(const std::string& command);

  // Add: a file from OpenDialog1 becomes a ticked row of the current user named after the file.
  void bNClick();
  // Delete: every selected row goes; then the row now at the topmost removed position is
  // selected, or the last row when that lies past the end. Nothing without a selection.
  void bdClick();
  // Modify: the first selected row gets the file chosen in OpenDialog1 as its command, and its
  // icon; name, location and tick stay. Without a selection nothing opens.
  void bCClick();
  // Run: the first selected row's command, whole, opened by the shell ("open", no parameters,
  // no folder, hidden); what the shell answers is not examined. Nothing without a selection.
  void LRDblClick();

  StartupList LR;  // its edits set startupChanged
  bool startupChanged = false;

 private:
  StartupPagePorts ports_;
};

}  // namespace tovr::startup
