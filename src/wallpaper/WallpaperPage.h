// The wallpaper page wallpaperTab as one object: the list wallpaperList with its editing commands, the options
// (randomOrderBox, CR, timedChangeBox, intervalMinutes, intervalUnitLabel, minutesLeftLabel, transitionAnimationBox,
// transitionEffectCombo), the preview wallpaperPreview, the minute timer wallpaperTimer, the schedule (changeInterval,
// minutesLeft) and the flags wallpaperChanged and wallpaperApplyPending, and the operations that pick, apply and rotate
// wallpapers. The main window holds one and delegates each handler to it in one line; the Win32 view
// (wallpaper/win32/WallpaperPageView) mirrors its list and preview.
#pragma once

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/RangeControl.h"
#include "controls/Timer.h"
#include "platform/ActiveDesktop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "settings/SettingsFile.h"
#include "wallpaper/PicturePreview.h"
#include "wallpaper/WallpaperApplier.h"
#include "wallpaper/WallpaperEditing.h"
#include "wallpaper/WallpaperList.h"
#include "wallpaper/WallpaperPorts.h"

namespace tovr::wallpaper {

inline constexpr char kPicsSection[] = "Pics";

struct WallpaperPagePorts : WallpaperSystemPorts {
  IFileSystem& files;
  IRegistry& registry;
  IMessageBox& messages;
  IActiveDesktopObject& activeDesktop;
  std::function<int(const std::string&)> shellIconIndex;  // the shared small-icon list
};

// "少于 %d 分钟"
std::string MinutesLeftText(int minutes);

class WallpaperPage {
 public:
  // `random` is the program's generator (seeded at start-up); `activeDesktopOn` the main
  // window's shared flag.
  WallpaperPage(WallpaperPagePorts ports, DesktopIconHooks hooks, std::minstd_rand& random,
                bool& activeDesktopOn);
  WallpaperPage(const WallpaperPage&) = delete;
  WallpaperPage& operator=(const WallpaperPage&) = delete;

  // The option controls placed on the page, in layout order (wallpaperList and wallpaperPreview have views of their
  // own).
  std::vector<controls::Control*> Controls() {
    return {&timedChangeBox,         &intervalMinutes,       &intervalUnitLabel,  &minutesLeftLabel,
            &transitionAnimationBox, &transitionEffectCombo, &changeAtStartupBox, &randomOrderBox};
  }

  // ---- Handlers -------------------------------------------------------------------------
  void OnTransitionAnimationClicked();
  void OnTimedChangeClicked();
  void OnTransitionEffectChanged();
  void OnIntervalMinutesChanged();
  void OnWallpaperRowDoubleClicked();  // and a double-click on wallpaperPreview: the selected row becomes the wallpaper
  void OnWallpaperTimer();
  // The tray command "立即手动更换壁纸": also ends the animated-page mode in the settings file.
  void OnNextWallpaperItemClicked(TSettingsFile& settings);

  // ---- Settings -----------------------------------------------------------------------------
  // [Option]'s wallpaper keys, each only when present, and the timer they switch on.
  void LoadOptions(TSettingsFile& settings);
  // The save's schedule step: AutoChange, Interval, RunChange, RandomChange, the new interval
  // and the timer ([Pics] is SaveWallpaperList's).
  void SaveSchedule(TSettingsFile& settings);
  // DynamicDesk and DynaIndex, written at every save.
  void SaveEffect(TSettingsFile& settings);
  void LoadWallpaperList(TSettingsFile& settings);  // [Pics] in file order, then the current row
  void SaveWallpaperList(TSettingsFile& settings);  // [Pics] cleared and written "0", "1", ...

  // ---- Operations -----------------------------------------------------------------------------
  void SelectCurrentWallpaper();
  void PickNextWallpaper();
  void SetWallpaper(const std::string& path) { applier.SetWallpaper(path); }
  void ApplyAnimatedWallpaper();
  // Writes the page with these picture urls and makes it the wallpaper (`clearFirst`: the
  // wallpaper is emptied first, so the page is never skipped as already current).
  void WriteWallpaperPage(const std::vector<std::string>& urls, bool clearFirst = false);
  std::optional<std::string> SelectedWallpaperPath() const;

  // ---- Controls and state ---------------------------------------------------------------------
  WallpaperList wallpaperList;
  PicturePreview wallpaperPreview{"wallpaperPreview"};
  controls::CheckBox randomOrderBox{"randomOrderBox", "按随机顺序更换壁纸"};
  controls::CheckBox changeAtStartupBox{"changeAtStartupBox", "每次启动时更换新的壁纸"};
  controls::CheckBox timedChangeBox{"timedChangeBox", "定时更换壁纸"};
  controls::SpinEdit intervalMinutes{"intervalMinutes", 1, 600, 60};
  controls::Label intervalUnitLabel{"intervalUnitLabel", "分钟"};
  controls::Label minutesLeftLabel{"minutesLeftLabel", "少于XX分钟"};
  controls::CheckBox transitionAnimationBox{"transitionAnimationBox", "使用壁纸转换动画"};
  controls::ComboBox transitionEffectCombo;
  controls::Timer wallpaperTimer{"wallpaperTimer", 60000, false};

  int changeInterval = 0;  // minutes; 0 before any Interval was loaded or saved
  int minutesLeft = 0;
  bool wallpaperChanged = false;
  bool wallpaperApplyPending = false;

  WallpaperApplier applier;
  WallpaperEditing editing;

 private:
  std::size_t RandomRow(const std::string& current);
  void ShowMinutesLeft() { minutesLeftLabel.SetCaption(MinutesLeftText(minutesLeft)); }

  WallpaperPagePorts ports_;
  DesktopIconHooks hooks_;
  std::minstd_rand& random_;
};

}  // namespace tovr::wallpaper
