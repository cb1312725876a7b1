// The startup page startupTab as one object: the list startupList, the flag startupChanged and the page's
// commands (the side buttons Add, Delete, Modify and Refresh while the page is active, the
// double-click on a row), the load when the main window is shown and the apply at the save.
// The main window holds one and delegates each handler to it in one line; the Win32 view
// (startup/win32/StartupPageView) mirrors startupList.
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "platform/ShellDialogs.h"
#include "platform/ShellExecute.h"
#include "platform/ShellPorts.h"
#include "startup/StartupList.h"
#include "startup/StartupStore.h"
#include "startup/StartupSystem.h"

namespace tovr::startup {

// ShowWindow's SW_HIDE: an entry started from the list runs without showing its window.
inline constexpr int kShowHidden = 0;

struct StartupPagePorts : StartupSystemPorts {
  IRegistry& registry;
  IFileSystem& files;
  IShellIcons& icons;
  IShellExecute& shell;
  IShellDialogs& dialogs;  // the file dialog
  IShellLinks& links;      // the Startup folders' shortcuts
  IMessageBox& messages;
};

inline constexpr char kStartupPageCaption[] = "启动管理";
inline constexpr char kFolderCannotBeOffText[] =
    "这个版本的 Windows 不能停用启动文件夹中的项目。不想让它随 Windows 启动，请删除它。";
inline constexpr char kFolderOnlyLinksText[] = "启动文件夹中只有快捷方式可以修改。";

class StartupPage {
 public:
  explicit StartupPage(StartupPagePorts ports);
  StartupPage(const StartupPage&) = delete;
  StartupPage& operator=(const StartupPage&) = delete;

  // Fills startupList from the keys and folders when it is empty (see LoadStartupRows).
  void LoadStartupEntries();
  // Empties startupList (the first half of Refresh, which drops unsaved edits).
  void ClearStartupList() { startupList.Clear(); }
  // At the save when startupChanged is set (see ApplyStartupRows).
  void ApplyStartupEntries();

  // Add: a file from the file dialog becomes a ticked row of the current user named after the file.
  void OnAddButtonClicked();
  // Delete: every selected row goes; then the row now at the topmost removed position is
  // selected, or the last row when that lies past the end. Nothing without a selection.
  void OnDeleteButtonClicked();
  // Modify: the first selected row gets the file chosen in the file dialog as its command, and its
  // icon; name, location and tick stay. Without a selection nothing opens. A Startup folder's
  // file that is not a shortcut cannot be given another command: a message says so.
  void OnModifyButtonClicked();
  // Run: the first selected row's command, whole, opened by the shell ("open", no parameters,
  // no folder, hidden); what the shell answers is not examined. Nothing without a selection. A
  // Startup folder's row opens its file (a shortcut with its own arguments and folder).
  void OnStartupRowDoubleClicked();
  // The user ticked or unticked a row. Where the system has no StartupApproved values (Windows
  // 7), a Startup folder's row cannot be switched off: a message says so and it stays ticked.
  void OnStartupRowTicked(std::size_t row, bool ticked);

  StartupList startupList;  // its edits set startupChanged
  bool startupChanged = false;

 private:
  StartupStorePorts StorePorts() const { return {ports_.registry, ports_.files, ports_.links, ports_.system}; }
  StartupPagePorts ports_;
};

}  // namespace tovr::startup
