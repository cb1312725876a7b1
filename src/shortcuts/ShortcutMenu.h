// The shortcut entries at the top of the tray menu: one item per row, either as a flat run above
// the fixed items or sorted into the group submenus "网址", "文件" and "文件夹" by the target's
// kind. Every item put at the top level carries the tag kShortcutEntryTag, by which Clear finds
// them again. The callers add the rows from the last to the first, so the flat menu lists them
// in list order and each group lists its entries in reverse list order.
#pragma once

#include <functional>
#include <string>

#include "controls/MenuItem.h"
#include "platform/FileSystem.h"

namespace tovr::shortcuts {

// Group submenus, top to bottom, and the names they carry in the menu model.
inline constexpr char kUrlGroupCaption[] = "网址";
inline constexpr char kFileGroupCaption[] = "文件";
inline constexpr char kFolderGroupCaption[] = "文件夹";
inline constexpr char kUrlGroupName[] = "ShortcutGroupUrl";
inline constexpr char kFileGroupName[] = "ShortcutGroupFile";
inline constexpr char kFolderGroupName[] = "ShortcutGroupFolder";

class ShortcutMenu {
 public:
  // `root` is the tray menu (it outlives this object); `run` starts a target (RunTarget) when
  // an entry is clicked.
  ShortcutMenu(controls::MenuItem& root, IFileSystem& files,
               std::function<void(const std::string& target)> run)
      : root_(root), files_(files), run_(std::move(run)) {}

  // ClearShortcutMenu: removes every top-level item tagged kShortcutEntryTag with everything
  // inside it (the flat entries, or the group submenus with their entries).
  void Clear();
  // CreateShortcutGroups: "文件夹", then "文件", then "网址" inserted at the top, so the menu
  // reads 网址, 文件, 文件夹 above the fixed items. Each is created even if it stays empty.
  void CreateGroups();
  // AddShortcutMenuItem: an item with caption `name`, icon `iconIndex`, hint `target`, whose
  // click runs the target. Flat: inserted at the very top. Grouped: appended to the group of
  // the target's kind as it is now; a missing target (or a group that was not created) gets
  // no item.
  void AddItem(const std::string& name, const std::string& target, bool grouped, int iconIndex);
  // The entries added with kIconLater take the icon `iconOf` gives their target.
  void SetLaterIcons(const std::function<int(const std::string& target)>& iconOf);

 private:
  controls::MenuItem* Group(const char* name);

  controls::MenuItem& root_;
  IFileSystem& files_;
  std::function<void(const std::string&)> run_;
};

}  // namespace tovr::shortcuts
