// The editing commands of the shortcut page: Add (the menu addShortcutMenu below addButton: a file or a
// folder), Modify (modifyButton: by the kind of the selected row's target, with the menu changeTargetMenu for a
// missing one), Delete (deleteButton, with the reselection rule), files dropped from the shell onto the
// main window and web links dropped onto urlDropPanel. Every new entry goes through AddShortcut.
//
// Modify with no row selected does nothing. A new name given by Modify is refused (with the
// list's message) when it cannot be stored or another row has it, ASCII case ignored: two
// such names would be one key of [Apps], and one entry would be lost on saving.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/MenuItem.h"
#include "shortcuts/DroppedLink.h"
#include "platform/ShellDialogs.h"
#include "shortcuts/ShortcutList.h"

namespace tovr::shortcuts {

// Where files dropped from the shell go: the active page decides.
enum class DropDestination { Shortcuts, Wallpapers, Ignored };

class ShortcutEditing {
 public:
  ShortcutEditing(ShortcutList& list, IShellDialogs& dialogs);
  ShortcutEditing(const ShortcutEditing&) = delete;
  ShortcutEditing& operator=(const ShortcutEditing&) = delete;

  // ---- Add ------------------------------------------------------------------------------------
  void OnAddButtonClicked();          // drops addShortcutMenu down below addButton
  void OnAddShortcutFileClicked();    // "选择文件...": AddShortcut("", file, true)
  void OnAddShortcutFolderClicked();  // "选择文件夹...": AddShortcut("", folder, true)

  // ---- Modify -------------------------------------------------------------------------------
  // The first selected row, by the kind of its target now: a web address opens the dialog, a
  // file the file dialog, a folder the folder browser, a missing target changeTargetMenu below modifyButton.
  void OnModifyButtonClicked();
  void OnChangeToFileClicked();    // "更改文件": a file, the row becomes a "文件" row with the file's icon
  void OnChangeToFolderClicked();  // "更改文件夹": a folder, the row becomes a "文件夹" row
  void OnChangeUrlClicked();       // "更改网址": name and target from the dialog; type text and icon stay

  // ---- Delete -------------------------------------------------------------------------------
  // Removes every selected row; then selects the row now at the topmost removed position, or
  // the last row when that lies past the end. Nothing without a selection.
  void OnDeleteButtonClicked();

  // ---- Drops --------------------------------------------------------------------------------
  // Files dropped from the shell, in the drop's order. On the shortcut page each is added
  // (a refused one shows its message and the next is tried); on the wallpaper page each goes
  // to `toWallpapers`; elsewhere they are ignored. The list is sorted afterwards whatever the
  // page, also when a link that cannot be read ends the pass.
  void DropFiles(const std::vector<std::string>& paths, DropDestination destination,
                 const std::function<void(const std::string&)>& toWallpapers = {});
  // A web link dropped on urlDropPanel: the dialog asks (kUrlQuestionDrop); accepted, the title and
  // link enter through AddShortcut(title, link, true). Drops are refused while it is open.
  // Does not sort.
  void OnUrlDropped(const DroppedLink& link);
  // Switches urlDropPanel's acceptance of web-link drops (the view's drop target).
  std::function<void(bool accept)> AcceptUrlDrops;

  // The pop-up menus, opened only by the commands above.
  controls::MenuItem addShortcutMenu{"addShortcutMenu"};
  controls::MenuItem changeTargetMenu{"changeTargetMenu"};

 private:
  std::optional<std::size_t> ModifyRow() const;
  void ChangeToFile(std::size_t row);
  void ChangeToFolder(std::size_t row);
  void ChangeUrl(std::size_t row);

  ShortcutList& list_;
  IShellDialogs& dialogs_;
  std::optional<std::size_t> changing_;  // the row changeTargetMenu acts on while it is open
};

}  // namespace tovr::shortcuts
