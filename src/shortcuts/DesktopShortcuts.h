// The three buttons under "桌面快捷方式管理" on the shortcut page: import every ".lnk" file of
// the user's and the all-users desktop into the list (bin), delete every ".lnk" file of the
// user's desktop after a question (deleteDesktopLinksButton), and export the list as links onto the all-users
// desktop (exportDesktopLinksButton).
//
// The desktop folders come from the "Shell Folders" values, read each time a button is used,
// with read access only (a user without administrator rights may read, not write, the
// machine's key). When a folder cannot be determined (its key cannot be opened, or the value is
// missing, unreadable, empty, not a string or not a full path such as "C:\..." or
// "\\server\...") the button touches no file of it and says why; the import still takes the
// user's desktop when only the all-users folder is unknown. An export into a folder this user
// may not write stops at the first refusal with the system's text.
// A row name that would not name a plain file in the desktop
// folder (a path separator, a drive colon, "..", a character Windows refuses in file names, a
// device name such as CON or COM1, also with an extension) is skipped on export, so nothing is
// ever written outside the desktop folder or to a device.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "shortcuts/ShortcutList.h"

namespace tovr::shortcuts {

// Where the shell keeps the desktop folders.
inline constexpr char kUserShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kCommonShellFoldersKey[] =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kUserDesktopValue[] = "Desktop";
inline constexpr char kCommonDesktopValue[] = "Common Desktop";

inline constexpr char kDeleteAllQuestion[] = "确定要删除桌面上的所有快捷方式吗？";
inline constexpr char kDeleteAllCaption[] = "确认";
inline constexpr unsigned kDeleteAllFlags =
    kMbYesNo | kMbIconQuestion | kMbDefButton2 | kMbSystemModal;  // 4388
// Shown when a desktop folder cannot be determined: why (the registry value's name, or the
// full name of the key that cannot be opened, in place of %s), then what was done.
inline constexpr char kNoDesktopValue[] = "无法确定桌面文件夹：注册表中的“%s”值不存在或为空。";
inline constexpr char kNoDesktopKey[] = "无法确定桌面文件夹：无法打开注册表项“%s”。";
inline constexpr char kNothingDone[] = "未对任何文件进行操作。";
inline constexpr char kUserDesktopOnly[] = "只导入当前用户桌面上的快捷方式。";
inline constexpr unsigned kNoDesktopFlags = kMbIconExclamation | kMbSystemModal;
// The description of an exported link follows the row's name.
inline constexpr char kExportDescriptionSuffix[] = " [Tovrane创建]";

// True when `name` + ".lnk" names a plain file directly inside a folder: not empty, no path
// separator, drive colon, "..", wildcard or other character Windows refuses in file names, no
// control character, and no device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, ASCII case
// ignored, also followed by an extension or trailing blanks).
bool IsSafeLinkName(std::string_view name);

class DesktopShortcuts {
 public:
  // `showShortcutPage` makes shortcutsTab the active page and shows the main window.
  DesktopShortcuts(ShortcutList& list, IRegistry& registry,
                   std::function<void()> showShortcutPage);
  DesktopShortcuts(const DesktopShortcuts&) = delete;
  DesktopShortcuts& operator=(const DesktopShortcuts&) = delete;

  // "全部导入": AddShortcut("", link, true) for every ".lnk" file of the user's desktop, then of
  // the all-users desktop, in the order the file search gives them (each refusal with its own
  // message); then SortShortcuts and the shortcut page is shown. A link the shell cannot read
  // ends the import with its error (rows added before it stay; the list is still sorted). An
  // unknown all-users folder is said first; the user's desktop is imported all the same.
  void OnImportDesktopLinksClicked();
  // "全部删除": asks; on Yes deletes every ".lnk" file of the user's desktop (failures skipped).
  void OnDeleteDesktopLinksClicked();
  // "全部导出": one link per row, first to last, at <all-users desktop>\<Name>.lnk with the
  // row's target, the desktop folder as working folder and "<Name> [Tovrane创建]"; a link that
  // cannot be written, or whose name is not safe, is skipped without a message. A refused
  // access ends the export with the system's text (thrown as tovr::Error): nothing more is tried.
  void OnExportDesktopLinksClicked();

  // The folder a "Shell Folders" value names, without a trailing "\" (a drive's root keeps
  // it); without one, `problem` says why (kNoDesktopKey or kNoDesktopValue, filled in).
  struct Folder {
    std::optional<std::string> path;
    std::string problem;
  };
  Folder UserDesktop();
  Folder CommonDesktop();

 private:
  Folder DesktopFolder(RegRoot root, const char* key, const char* value);
  void Say(const std::string& text);

  ShortcutList& list_;
  IRegistry& registry_;
  std::function<void()> showShortcutPage_;
};

}  // namespace tovr::shortcuts
