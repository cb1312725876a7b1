// What the wallpaper changer asks of the system beyond the registry, the files and the Active
// Desktop object: the system wallpaper call, the active window, the Windows folder and screen
// size, which kind of Active Desktop this Windows has, and the picture dialogs. The Win32
// adapters live in wallpaper/win32; tests use tests/fakes/FakeWallpaperSystem.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovr::controls {
class MenuItem;
}

namespace tovr::wallpaper {

// The picture dialog's one filter, and the folder listing's mask (both name "*.gif" twice).
inline constexpr char kPictureFilterText[] = "所有 (*.gif;*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)";
inline constexpr char kPictureMask[] = "*.gif;*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf";
inline constexpr char kFolderChooserTitle[] = "请指定要选择的文件夹";

// What the shell of this Windows can do with Active Desktop.
enum class ActiveDesktopSupport {
  Full,          // Windows 98 to XP: pictures and HTML pages through IActiveDesktop
  PicturesOnly,  // Vista and 7: IActiveDesktop takes pictures, the HTML desktop is gone
  None,          // 8 and later: the classic call takes every picture kind, JPEG included
};

class IWallpaperSystem {
 public:
  virtual ~IWallpaperSystem() = default;
  // SystemParametersInfo(SPI_SETDESKWALLPAPER) with the path just written to "Control
  // Panel\Desktop" "Wallpaper", broadcasting the change. False when the system refuses.
  virtual bool ApplyDeskWallpaper(const std::string& path) = 0;
  // GetActiveWindow as an opaque handle (0: none) and BringWindowToTop on it.
  virtual std::uintptr_t ActiveWindow() = 0;
  virtual void BringWindowToTop(std::uintptr_t window) = 0;
  virtual bool IsNtPlatform() = 0;
  virtual ActiveDesktopSupport Support() = 0;
  // GetWindowsDirectory, without a trailing backslash ("C:\WINDOWS").
  virtual std::string WindowsDirectory() = 0;
  virtual int ScreenWidth() = 0;   // SM_CXSCREEN
  virtual int ScreenHeight() = 0;  // SM_CYSCREEN
};

class IPictureDialogs {
 public:
  virtual ~IPictureDialogs() = default;
  // The picture dialog with kPictureFilterText, several files selectable: the chosen files as
  // full paths in the dialog's order; empty when cancelled.
  virtual std::vector<std::string> ChoosePictures() = 0;
  // The shell's folder chooser with `title`; nullopt when cancelled.
  virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
  // Drops `menu`'s items down below the side button `anchor` and clicks the chosen one.
  virtual void DropDownMenu(controls::MenuItem& menu, std::string_view anchor) = 0;
};

// The wallpaper changer's own ports, wired once for the program (app/win32/WinMain.cpp) and once
// for the tests (tests/fakes/FakeToolPorts.h); the page's ports add the shared ones.
struct WallpaperSystemPorts {
  IWallpaperSystem& system;
  IPictureDialogs& dialogs;
};

}  // namespace tovr::wallpaper
