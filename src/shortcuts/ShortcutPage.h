// The shortcut page shortcutsTab as one object: the list shortcutList with its launcher and editing
// commands, the desktop-link buttons below it, the web-link drop panel urlDropPanel, the tray menu's
// shortcut entries and the flag shortcutsChanged. The main window holds one and delegates each
// of the page's handlers to it in one line; the Win32 view (shortcuts/win32/ShortcutPageView)
// mirrors its controls.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/Control.h"
#include "controls/Edit.h"
#include "controls/MenuItem.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "settings/SettingsFile.h"
#include "shortcuts/DesktopShortcuts.h"
#include "platform/ShellDialogs.h"
#include "platform/ShellExecute.h"
#include "platform/ShellPorts.h"
#include "shortcuts/ShortcutEditing.h"
#include "shortcuts/ShortcutLauncher.h"
#include "shortcuts/ShortcutList.h"
#include "shortcuts/ShortcutMenu.h"

namespace tovr::shortcuts {

struct ShortcutPagePorts {
  IFileSystem& files;
  IRegistry& registry;
  IMessageBox& messages;
  IShellIcons& icons;
  IShellLinks& links;
  IShellExecute& shell;
  IShellDialogs& dialogs;
};

// A shortcut row as the tray menu needs it (start-up step 26).
struct ShortcutMenuRow {
  std::string name;
  std::string target;
  int iconIndex = -1;
};

class ShortcutPage {
 public:
  // `trayMenu` is the tray menu's root, whose top slot takes the shortcut entries;
  // `showShortcutPage` brings the main window up on this page (the end of an import).
  ShortcutPage(ShortcutPagePorts ports, controls::MenuItem& trayMenu,
               std::function<void()> showShortcutPage);
  ShortcutPage(const ShortcutPage&) = delete;
  ShortcutPage& operator=(const ShortcutPage&) = delete;

  // The controls placed on the page below the list, in layout order.
  std::vector<controls::Control*> Controls() {
    return {&desktopLinksLabel, &importDesktopLinksButton, &deleteDesktopLinksButton, &exportDesktopLinksButton};
  }

  // Refresh: shortcutList rebuilt from [Apps] in file order, then sorted.
  void Load(TSettingsFile& settings);
  // Save step 2: [Apps] rewritten from the sorted list, last row first, and the tray menu's
  // shortcut entries rebuilt in the form `grouped` asks for. The entries go through the three
  // menu hooks so that the main window can observe them.
  struct MenuHooks {
    std::function<void()> clear;
    std::function<void()> createGroups;
    std::function<void(const ShortcutEntry&, bool grouped)> addItem;
  };
  void Save(TSettingsFile& settings, bool grouped, const MenuHooks& hooks);

  std::vector<ShortcutMenuRow> Rows() const;
  // The icons the start-up left for later, looked up for the list and given to the menu's
  // entries.
  void LookUpLaterIcons();
  void SelectRow(int index);

  ShortcutList shortcutList;  // its change notification sets shortcutsChanged
  ShortcutLauncher launcher;
  ShortcutEditing editing;  // add, modify, delete and drops
  // Desktop shortcut management: the ".lnk" files of the user's and the all-users desktop.
  controls::Label desktopLinksLabel{"desktopLinksLabel", "桌面快捷方式管理"};
  controls::Button importDesktopLinksButton{"importDesktopLinksButton", "全部导入"};
  controls::Button deleteDesktopLinksButton{"deleteDesktopLinksButton", "全部删除"};
  controls::Button exportDesktopLinksButton{"exportDesktopLinksButton", "全部导出"};
  controls::Label urlDropPanel{"urlDropPanel", "拖入网址"};
  DesktopShortcuts desktopLinks;
  ShortcutMenu shortcutMenu;  // the tray menu's shortcut entries
  bool shortcutsChanged = false;
};

}  // namespace tovr::shortcuts
