#include "wallpaper/WallpaperEditing.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "base/Text.h"
#include "wallpaper/WallpaperApplier.h"

namespace tovr::wallpaper {

namespace {

constexpr std::size_t kNamedInBox = 5;  // refused paths named in full; the rest are counted

std::unique_ptr<controls::MenuItem> Item(std::string name, std::string caption, std::function<void()> click) {
  auto item = std::make_unique<controls::MenuItem>(std::move(name), std::move(caption));
  item->OnClick = std::move(click);
  return item;
}

}  // namespace

std::vector<std::string> FolderPictures(IFileSystem& files, const std::string& folder) {
  std::vector<std::string> names;
  std::string_view mask = kPictureMask;
  while (!mask.empty()) {
    const std::size_t end = mask.find(';');
    const std::string pattern(mask.substr(0, end));
    mask = end == std::string_view::npos ? std::string_view{} : mask.substr(end + 1);
    for (std::string& name : files.ListFiles(folder, pattern)) names.push_back(std::move(name));
  }
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return text::CompareGbkIgnoreAsciiCase(a, b) < 0;
  });
  // A folder chosen at a drive's root ends with its backslash already.
  const std::string prefix = !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
  for (std::string& name : names) name.insert(0, prefix);
  return names;
}

bool DropAccepted(const std::string& path) {
  const std::string ext = text::AsciiLower(FileExtension(path));
  return !ext.empty() && std::string_view(kDropExtensions).find(ext) != std::string_view::npos;
}

WallpaperEditing::WallpaperEditing(WallpaperList& list, PicturePreview& preview, IPictureDialogs& dialogs,
                                   IFileSystem& files, IMessageBox& messages)
    : list_(list), preview_(preview), dialogs_(dialogs), files_(files), messages_(messages) {
  addPictureMenu.Add(Item("addPictureFilesItem", "选择文件...", [this] { OnAddPictureFilesClicked(); }));
  addPictureMenu.Add(Item("addPictureFolderItem", "选择文件夹...", [this] { OnAddPictureFolderClicked(); }));
}

void WallpaperEditing::OnAddButtonClicked() { dialogs_.DropDownMenu(addPictureMenu, "addButton"); }

void WallpaperEditing::OnAddPictureFilesClicked() { AddAll(dialogs_.ChoosePictures()); }

void WallpaperEditing::OnAddPictureFolderClicked() {
  if (std::optional<std::string> folder = dialogs_.ChooseFolder(kFolderChooserTitle)) {
    AddAll(FolderPictures(files_, *folder));
  }
}

std::size_t WallpaperEditing::AddAll(const std::vector<std::string>& paths) {
  std::vector<std::string> tooLong;
  std::size_t added = 0;
  list_.Reserve(list_.Count() + paths.size());
  for (const std::string& path : paths) {
    switch (list_.Add(path)) {
      case AddResult::Added: ++added; break;
      case AddResult::TooLong: tooLong.push_back(path); break;
      case AddResult::Duplicate: break;
    }
  }
  ReportTooLong(tooLong);
  return added;
}

void WallpaperEditing::ReportTooLong(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  std::string message = kTooLongText;
  for (std::size_t i = 0; i < paths.size() && i < kNamedInBox; ++i) message += "\r\n" + paths[i];
  if (paths.size() > kNamedInBox) {
    message += "\r\n……另有 " + std::to_string(paths.size() - kNamedInBox) + " 个";
  }
  messages_.Show(message, kUnsupportedCaption, kRefusalFlags);
}

void WallpaperEditing::OnModifyButtonClicked() {
  if (!list_.FirstSelected()) return;
  const std::vector<std::string> chosen = dialogs_.ChoosePictures();
  // The list may have changed while the dialog was open (a timer's change of selection).
  const std::optional<std::size_t> row = list_.FirstSelected();
  if (chosen.empty() || !row) return;
  if (!list_.SetPath(*row, chosen.front())) ReportTooLong({chosen.front()});
}

void WallpaperEditing::OnDeleteButtonClicked() {
  const std::vector<std::size_t> selected = list_.SelectedRows();
  if (selected.empty()) return;
  const std::size_t lowest = selected.front();
  for (auto row = selected.rbegin(); row != selected.rend(); ++row) list_.Remove(*row);
  if (list_.Empty()) {
    preview_.Clear();
    return;
  }
  const std::size_t row = std::min(lowest, list_.Count() - 1);
  list_.SetSelected(row, true);
  preview_.Show(list_[row].path);
}

void WallpaperEditing::DropFile(const std::string& path) {
  if (!DropAccepted(path)) {
    messages_.Show(kUnsupportedText, kUnsupportedCaption, kRefusalFlags);
    return;
  }
  if (list_.Add(path) == AddResult::TooLong) ReportTooLong({path});
}

}  // namespace tovr::wallpaper
