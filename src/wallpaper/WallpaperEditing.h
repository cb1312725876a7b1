// The editing commands of the wallpaper page: Add (a drop-down menu below addButton: pictures from the
// picture dialog, or every picture of a folder), Modify (modifyButton: the first selected row gets another
// file), Delete (deleteButton, with the reselection rule), Refresh is the page's load, and the files
// dropped from the shell while the page is active. Every new row goes through AddWallpaper.
//
// A path too long for the system's wallpaper buffer is refused, never cut: one box per command
// names the refused paths (per file for a drop, as the drop's own refusals are).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "controls/MenuItem.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "wallpaper/PicturePreview.h"
#include "wallpaper/WallpaperList.h"
#include "wallpaper/WallpaperPorts.h"

namespace tovr::wallpaper {

inline constexpr char kUnsupportedText[] = "不支持的图形格式";
inline constexpr char kUnsupportedCaption[] = "错误";
inline constexpr unsigned kRefusalFlags = kMbIconExclamation | kMbSystemModal;  // 0x1030
inline constexpr char kTooLongText[] =
    "图片路径太长，不能用作壁纸（Windows 的壁纸路径最多 259 个字符），没有加入壁纸列表：";
// The extensions a dropped file may have (its lower-case extension must occur in this text).
inline constexpr char kDropExtensions[] = "*.jpg;*.jpeg;*.gif;*.bmp;*.ico;*.emf;*.wmf";

// The picture files of `folder` as the folder listing lists them: the names matching a pattern of the mask
// (read-only and hidden files too), sorted by name with letter case ignored, each joined to the
// folder with one backslash. A name matched by two patterns appears twice.
std::vector<std::string> FolderPictures(IFileSystem& files, const std::string& folder);

// True when a file with this path may be dropped onto the list.
bool DropAccepted(const std::string& path);

class WallpaperEditing {
 public:
  WallpaperEditing(WallpaperList& list, PicturePreview& preview, IPictureDialogs& dialogs, IFileSystem& files,
                   IMessageBox& messages);
  WallpaperEditing(const WallpaperEditing&) = delete;
  WallpaperEditing& operator=(const WallpaperEditing&) = delete;

  void OnAddButtonClicked();               // drops addPictureMenu down below addButton
  void OnAddPictureFilesClicked();         // "选择文件...": the chosen pictures, in the dialog's order
  void OnAddPictureFolderClicked();        // "选择文件夹...": the folder's pictures
  void OnModifyButtonClicked();            // the first selected row's path becomes the (first) chosen file
  void OnDeleteButtonClicked();            // removes the selected rows; reselects at the lowest removed index
  void DropFile(const std::string& path);  // one dropped file, in the drop's order

  // AddWallpaper for each path; the refused long ones are named in one box. Returns the
  // number of rows added.
  std::size_t AddAll(const std::vector<std::string>& paths);
  // The box naming refused long paths; nothing for none.
  void ReportTooLong(const std::vector<std::string>& paths);

  controls::MenuItem addPictureMenu{"addPictureMenu"};

 private:
  WallpaperList& list_;
  PicturePreview& preview_;
  IPictureDialogs& dialogs_;
  IFileSystem& files_;
  IMessageBox& messages_;
};

}  // namespace tovr::wallpaper
