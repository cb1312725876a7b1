// Saving the desktop's icon positions into IconLayout.ini and putting them back, for the tray
// commands and for the restore after a change of the desktop's size. The positions of each
// desktop size are kept apart; a save replaces only the current size's section. Restoring moves
// the icons of the current size's section that are on the desktop (matched by IconKeys), leaves
// the others where they are and skips names no longer on the desktop.
//
// What the user is told: a command always answers what stopped it. The restore after a size
// change is silent where there is nothing to restore (no file, no section, no desktop, an
// arranging desktop), tells of a damaged file only once until the next save, and tells of a
// desktop that does not answer. Only a save writes the file; a save over a damaged file keeps
// that file beside as IconLayout.ini.bak.
#pragma once

#include <string>

#include "desktop/DesktopPorts.h"
#include "desktop/IconLayoutFile.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace tovr::desktop {

inline constexpr char kNoLayoutText[] = "没有保存过当前分辨率下的桌面图标位置。";
inline constexpr char kAutoArrangedText[] = "桌面图标已设为自动排列，不能恢复位置。";
inline constexpr char kNoDesktopText[] = "找不到桌面的图标列表。";
inline constexpr char kDesktopNotAnsweringText[] = "桌面没有响应，请稍后再试。";
inline constexpr char kDesktopRefusedText[] = "不能读取桌面图标（没有权限）。";
inline constexpr char kNoIconsText[] = "桌面上没有图标，没有保存。";

// IconLayout.ini in the folder of `configPath`.
std::string IconLayoutPath(const std::string& configPath);

struct IconLayoutPorts {
  IDesktopListView& listView;
  IFileSystem& files;
  IMessageBox& messages;
  std::string title;       // of the message boxes
  std::string layoutPath;  // IconLayout.ini
};

class IconLayouts {
 public:
  explicit IconLayouts(IconLayoutPorts ports) : ports_(std::move(ports)) {}

  // Every icon's name and position into the current size's section. A write the system
  // refuses throws tovr::Error.
  void Save();
  // The tray command: true when icons were moved.
  bool Restore();
  // After the desktop's size changed: true when icons were moved.
  bool RestoreAfterSizeChange();

 private:
  enum class Asked { kByUser, kBySizeChange };
  bool RestoreFor(Asked asked);
  // The file as read: nullopt when missing; a damaged one is reported per the rules above.
  std::optional<IconLayoutFile> ReadLayouts(Asked asked, bool& damaged);
  bool ItemsRead(const IDesktopListView::Items& read, Asked asked);
  void Tell(const std::string& text, unsigned flags);
  std::string DamagedText(int line) const;

  IconLayoutPorts ports_;
  bool damageTold_ = false;  // by a restore after a size change, since the last save
};

}  // namespace tovr::desktop
