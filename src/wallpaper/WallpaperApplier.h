// Making a file the desktop wallpaper: the classic desktop settings for bitmap-type pictures,
// the shell's Active Desktop (switched on when needed) for JPEG pictures and HTML pages, and
// the record of the current wallpaper that the rotation reads to find its place.
//
// Where this Windows has no Active Desktop for a kind of file, or the object cannot be
// created or refuses the file, a picture goes through the classic call, which takes JPEG on
// the systems without Active Desktop (and is worth a try on the others). An HTML
// page has no such way: it is refused, and one box (once per run) says why; the wallpaper
// stays as it was.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ActiveDesktop.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "wallpaper/WallpaperPorts.h"

namespace tovr::wallpaper {

inline constexpr char kRecordKey[] = "\\Software\\Microsoft\\Internet Explorer\\Desktop\\General";
inline constexpr char kDesktopKey[] = "Control Panel\\Desktop";
inline constexpr char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr std::size_t kShellStateBytes = 128;
inline constexpr std::uint8_t kActiveDesktopBit = 0x40;  // in byte 4 of "ShellState"

inline constexpr char kNoHtmlDesktopText[] =
    "壁纸转换动画需要活动桌面（Active Desktop），这个版本的 Windows 没有活动桌面。壁纸保持不变。";
inline constexpr char kNoHtmlDesktopCaption[] = "注意";
inline constexpr unsigned kNoHtmlDesktopFlags = kMbIconExclamation | kMbSystemModal;

// The desktop-icon operations the wallpaper changes call (another tool fills them).
struct DesktopIconHooks {
  std::function<void()> applyIconStyle;
  std::function<void(bool hidden, bool refreshNow)> setDesktopIconsHidden;
  std::function<bool()> desktopIconsVisible;
};

// The extension of the file name in `path` with its dot ("" when it has none), as written.
std::string_view FileExtension(std::string_view path);

class WallpaperApplier {
 public:
  // `activeDesktopOn` is the main window's shared flag, measured here by every SetWallpaper.
  WallpaperApplier(IRegistry& registry, IActiveDesktopObject& activeDesktop, IWallpaperSystem& system,
                   IMessageBox& messages, DesktopIconHooks hooks, bool& activeDesktopOn);
  WallpaperApplier(const WallpaperApplier&) = delete;
  WallpaperApplier& operator=(const WallpaperApplier&) = delete;

  // The recorded current wallpaper; empty when missing (or not a text).
  std::string ReadCurrentWallpaper();
  void RecordCurrentWallpaper(const std::string& path);
  // Reads "ShellState" into ShellState() (a missing value leaves it); true when byte 4 > 0x40.
  bool IsActiveDesktopOn();
  // Sets the Active Desktop bit in the bytes the last IsActiveDesktopOn read and writes them
  // back: 128 bytes on the NT family (more when the value was longer), 5 on the others.
  void SetActiveDesktop();
  // Makes `path` the wallpaper (empty: none); nothing when it already is the recorded one.
  void SetWallpaper(const std::string& path);

  // True when this Windows can show an HTML page as the wallpaper.
  bool PagesSupported();
  // The box that says it cannot, shown once per run.
  void ReportNoPages();

  const std::array<std::uint8_t, kShellStateBytes>& ShellState() const { return shellState_; }

 private:
  bool ObjectUsable();
  bool ActiveDesktopPath(const std::string& path);  // false: the object refused the file
  void ClassicPath(const std::string& path);
  void ReassertIconHiding();

  IRegistry& registry_;
  IActiveDesktopObject& activeDesktop_;
  IWallpaperSystem& system_;
  IMessageBox& messages_;
  DesktopIconHooks hooks_;
  bool& activeDesktopOn_;
  std::array<std::uint8_t, kShellStateBytes> shellState_{};
  std::vector<std::uint8_t> shellStateTail_;  // bytes of a longer value past the 128
  bool noPagesReported_ = false;
};

}  // namespace tovr::wallpaper
