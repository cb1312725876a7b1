#include "shortcuts/ShortcutEditing.h"

#include <algorithm>
#include <memory>

namespace tovr::shortcuts {

namespace {

std::unique_ptr<controls::MenuItem> Item(std::string name, std::string caption, std::function<void()> click) {
  auto item = std::make_unique<controls::MenuItem>(std::move(name), std::move(caption));
  item->OnClick = std::move(click);
  return item;
}

}  // namespace

ShortcutEditing::ShortcutEditing(ShortcutList& list, IShellDialogs& dialogs) : list_(list), dialogs_(dialogs) {
  addShortcutMenu.Add(Item("addShortcutFileItem", "选择文件...", [this] { OnAddShortcutFileClicked(); }));
  addShortcutMenu.Add(Item("addShortcutFolderItem", "选择文件夹...", [this] { OnAddShortcutFolderClicked(); }));
  changeTargetMenu.Add(Item("changeToFileItem", "更改文件", [this] { OnChangeToFileClicked(); }));
  changeTargetMenu.Add(Item("changeToFolderItem", "更改文件夹", [this] { OnChangeToFolderClicked(); }));
  changeTargetMenu.Add(Item("changeUrlItem", "更改网址", [this] { OnChangeUrlClicked(); }));
}

// ---- Add ----------------------------------------------------------------------------------------

void ShortcutEditing::OnAddButtonClicked() { dialogs_.DropDownMenu(addShortcutMenu, "addButton"); }

void ShortcutEditing::OnAddShortcutFileClicked() {
  if (std::optional<std::string> file = dialogs_.ChooseFile()) list_.AddShortcut("", *file, true);
}

void ShortcutEditing::OnAddShortcutFolderClicked() {
  if (std::optional<std::string> folder = dialogs_.ChooseFolder(kFolderBrowserTitle)) {
    list_.AddShortcut("", *folder, true);
  }
}

// ---- Modify -------------------------------------------------------------------------------------

std::optional<std::size_t> ShortcutEditing::ModifyRow() const {
  if (changing_ && *changing_ < list_.Count()) return changing_;
  return std::nullopt;
}

void ShortcutEditing::OnModifyButtonClicked() {
  const std::optional<std::size_t> row = list_.FirstSelected();
  if (!row) return;
  switch (TargetKindOf(list_.Ports().files, list_[*row].target)) {
    case TargetKind::Url:
      ChangeUrl(*row);
      break;
    case TargetKind::File:
      ChangeToFile(*row);
      break;
    case TargetKind::Folder:
      ChangeToFolder(*row);
      break;
    case TargetKind::Missing: {
      // The menu's items act on this row; the menu is modal, so it stays the same row.
      changing_ = *row;
      struct Reset {
        std::optional<std::size_t>& row;
        ~Reset() { row.reset(); }
      } reset{changing_};
      dialogs_.DropDownMenu(changeTargetMenu, "modifyButton");
      break;
    }
  }
}

void ShortcutEditing::OnChangeToFileClicked() {
  if (auto row = ModifyRow()) ChangeToFile(*row);
}

void ShortcutEditing::OnChangeToFolderClicked() {
  if (auto row = ModifyRow()) ChangeToFolder(*row);
}

void ShortcutEditing::OnChangeUrlClicked() {
  if (auto row = ModifyRow()) ChangeUrl(*row);
}

void ShortcutEditing::ChangeToFile(std::size_t row) {
  if (std::optional<std::string> file = dialogs_.ChooseFile()) list_.Retarget(row, *file, TargetKind::File);
}

void ShortcutEditing::ChangeToFolder(std::size_t row) {
  if (std::optional<std::string> folder = dialogs_.ChooseFolder(kFolderBrowserTitle)) {
    list_.Retarget(row, *folder, TargetKind::Folder);
  }
}

void ShortcutEditing::ChangeUrl(std::size_t row) {
  std::string title = list_[row].name;
  std::string link = list_[row].target;
  if (!dialogs_.ShowUrlDialog(kUrlQuestionChange, title, link)) return;
  if (row >= list_.Count()) return;  // the list changed while the dialog was open
  if (title != list_[row].name && !list_.AcceptNameFor(row, title)) return;
  list_.SetName(row, std::move(title));
  list_.SetTarget(row, std::move(link));
}

// ---- Delete -------------------------------------------------------------------------------------

void ShortcutEditing::OnDeleteButtonClicked() {
  const std::vector<std::size_t> selected = list_.SelectedRows();
  if (selected.empty()) return;
  const std::size_t topmost = *std::min_element(selected.begin(), selected.end());
  std::vector<std::size_t> order = selected;
  std::sort(order.rbegin(), order.rend());  // from the last row to the first
  for (std::size_t row : order) list_.Remove(row);
  if (list_.Empty()) return;
  list_.SelectOnly(std::min(topmost, list_.Count() - 1));
}

// ---- Drops --------------------------------------------------------------------------------------

void ShortcutEditing::DropFiles(const std::vector<std::string>& paths, DropDestination destination,
                                const std::function<void(const std::string&)>& toWallpapers) {
  try {
    for (const std::string& path : paths) {
      if (destination == DropDestination::Shortcuts) {
        list_.AddShortcut("", path, true);
      } else if (destination == DropDestination::Wallpapers && toWallpapers) {
        toWallpapers(path);
      }
    }
  } catch (...) {
    list_.SortShortcuts();
    throw;
  }
  list_.SortShortcuts();
}

void ShortcutEditing::OnUrlDropped(const DroppedLink& link) {
  if (AcceptUrlDrops) AcceptUrlDrops(false);
  struct Reaccept {
    const std::function<void(bool)>& accept;
    ~Reaccept() {
      if (accept) accept(true);
    }
  } reaccept{AcceptUrlDrops};
  std::string title = link.title;
  std::string url = link.url;
  if (dialogs_.ShowUrlDialog(kUrlQuestionDrop, title, url)) list_.AddShortcut(title, url, true);
}

}  // namespace tovr::shortcuts
