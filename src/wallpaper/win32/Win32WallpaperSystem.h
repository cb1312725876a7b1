// IWallpaperSystem on the real system: SystemParametersInfo for the wallpaper, the active
// window, the true Windows version (RtlGetVersion), the Windows folder and the screen size.
#pragma once

#include <optional>

#include "wallpaper/WallpaperPorts.h"

namespace tovr::wallpaper::win32 {

class Win32WallpaperSystem final : public IWallpaperSystem {
 public:
  // `support` replaces what the Windows version says (for the adapter tests).
  explicit Win32WallpaperSystem(std::optional<ActiveDesktopSupport> support = std::nullopt) : forced_(support) {}

  bool ApplyDeskWallpaper(const std::string& path) override;
  std::uintptr_t ActiveWindow() override;
  void BringWindowToTop(std::uintptr_t window) override;
  bool IsNtPlatform() override;
  ActiveDesktopSupport Support() override;
  std::string WindowsDirectory() override;
  int ScreenWidth() override;
  int ScreenHeight() override;

 private:
  std::optional<ActiveDesktopSupport> forced_;
};

}  // namespace tovr::wallpaper::win32
