#include "app/win32/MainLayout.h"

#include "app/MainForm.h"

namespace tovr::app::win32 {

namespace {

// Check boxes and labels are one line of the 12-pixel font: 20 pixels tall; spin edits and
// edit fields 20, track bars 28. Widths leave room for the caption plus the check mark.
constexpr ControlPlace kPlaces[] = {
    // wallpaperTab: the wallpaper list at the top; the options below it at the left, the preview at
    // the right. transitionAnimationBox and minutesLeftLabel sit indented under timedChangeBox.
    {"timedChangeBox", kPageWallpaper, {8, 160, 104, 20}},
    {"intervalMinutes", kPageWallpaper, {114, 160, 52, 20}},
    {"intervalUnitLabel", kPageWallpaper, {170, 163, 30, 16}},
    {"minutesLeftLabel", kPageWallpaper, {24, 186, 150, 16}},
    {"changeAtStartupBox", kPageWallpaper, {8, 232, 178, 20}},
    {"randomOrderBox", kPageWallpaper, {8, 256, 178, 20}},
    {"transitionAnimationBox", kPageWallpaper, {24, 206, 124, 20}},
    {"transitionEffectCombo", kPageWallpaper, {150, 205, 112, 240}},

    // iconsTab: caption colours, refresh, hiding, then the arrangement.
    {"iconTextColourLabel", kPageIcon, {8, 11, 92, 16}},
    {"iconTextColourSwatch", kPageIcon, {104, 8, 40, 20}},
    {"iconTextRgbLabel", kPageIcon, {152, 11, 130, 16}},
    {"iconTextBackColourLabel", kPageIcon, {8, 37, 92, 16}},
    {"iconTextBackColourSwatch", kPageIcon, {104, 34, 40, 20}},
    {"iconTextBackRgbLabel", kPageIcon, {152, 37, 130, 16}},
    {"transparentTextBackBox", kPageIcon, {290, 34, 110, 20}},
    {"iconRefreshBox", kPageIcon, {8, 62, 240, 20}},
    {"iconRefreshSeconds", kPageIcon, {252, 62, 60, 20}},
    {"hideIconsBox", kPageIcon, {8, 88, 180, 20}},
    {"iconStyleNoneRadio", kPageIcon, {8, 124, 200, 20}},
    {"iconStyleLeftRadio", kPageIcon, {8, 148, 150, 20}},
    {"iconStyleRightRadio", kPageIcon, {208, 148, 150, 20}},
    {"iconStyleTopRadio", kPageIcon, {8, 172, 150, 20}},
    {"iconStyleBottomRadio", kPageIcon, {208, 172, 150, 20}},
    {"iconStyleEllipsesRadio", kPageIcon, {8, 196, 200, 20}},
    {"circleRadiusLabel", kPageIcon, {26, 225, 30, 16}},
    {"circleRadius", kPageIcon, {58, 222, 64, 20}},
    {"ellipseRatioLabel", kPageIcon, {136, 225, 44, 16}},
    {"ellipseRatio", kPageIcon, {182, 222, 64, 20}},
    {"ringCountLabel", kPageIcon, {260, 225, 30, 16}},
    {"ringCount", kPageIcon, {292, 222, 52, 20}},

    // memoryTab: the defragmenter's area and the automatic trigger; the gauges come below.
    {"defragmentSizeLabel", kPageMemory, {8, 10, 300, 16}},
    {"defragmentSizeSlider", kPageMemory, {8, 28, 397, 28}},
    {"memoryLimitBox", kPageMemory, {8, 64, 397, 20}},
    {"memoryLimitSlider", kPageMemory, {8, 86, 397, 28}},
    {"cpuLimitBox", kPageMemory, {8, 122, 397, 20}},
    {"cpuLimitSlider", kPageMemory, {8, 144, 397, 28}},

    // transparencyTab: taskbar and Start menu; the window list comes below.
    {"translucentTaskbarBox", kPageTransparency, {8, 10, 150, 20}},
    {"taskbarAlphaEdit", kPageTransparency, {166, 10, 60, 20}},
    {"translucentStartMenuBox", kPageTransparency, {8, 36, 150, 20}},
    {"startMenuAlphaEdit", kPageTransparency, {166, 36, 60, 20}},

    // settingsTab: the program's own options, then the three system toggles.
    {"translucentWindowBox", kPageSettings, {8, 10, 290, 20}},
    {"windowAlphaEdit", kPageSettings, {302, 10, 60, 20}},
    {"groupedMenuBox", kPageSettings, {8, 36, 120, 20}},
    {"autoUpdateBox", kPageSettings, {8, 62, 120, 20}},
    {"useProxyBox", kPageSettings, {8, 88, 120, 20}},
    {"proxyHostLabel", kPageSettings, {26, 117, 64, 16}},
    {"proxyHostEdit", kPageSettings, {92, 114, 150, 20}},
    {"proxyPortLabel", kPageSettings, {254, 117, 28, 16}},
    {"proxyPortEdit", kPageSettings, {284, 114, 60, 20}},
    {"folderExploreBox", kPageSettings, {8, 150, 290, 20}},
    {"noSaveOnExitBox", kPageSettings, {8, 176, 320, 20}},
    {"autoRunBox", kPageSettings, {8, 202, 180, 20}},
    {"animatedIconBox", kPageSettings, {8, 228, 120, 20}},

    // Side panel (sidePanel-relative); listButtonsPanel's four buttons are listButtonsPanel-relative.
    {"listButtonsPanel", kSidePanel, {0, 28, 29, 100}},
    {"addButton", kSidePanel, {3, 0, kImageButtonSize, kImageButtonSize}, kIdAddButton},
    {"deleteButton", kSidePanel, {3, 25, kImageButtonSize, kImageButtonSize}, kIdDeleteButton},
    {"modifyButton", kSidePanel, {3, 50, kImageButtonSize, kImageButtonSize}, kIdModifyButton},
    {"refreshButton", kSidePanel, {3, 75, kImageButtonSize, kImageButtonSize}, kIdRefreshButton},
    {"homePageButton", kSidePanel, {3, 142, kImageButtonSize, kImageButtonSize}, kIdHomePageButton},
    {"mailButton", kSidePanel, {3, 167, kImageButtonSize, kImageButtonSize}, kIdMailButton},
    {"helpButton", kSidePanel, {3, 192, kImageButtonSize, kImageButtonSize}, kIdHelpButton},
    {"saveButton", kSidePanel, {3, 283, kImageButtonSize, kImageButtonSize}, kIdSaveButton},
    {"closeButton", kSidePanel, {3, 308, kImageButtonSize, kImageButtonSize}, kIdCloseButton},

    // shortcutsTab: the desktop shortcut row between the list and urlDropPanel (appended, so the
    // other controls keep their ids).
    {"desktopLinksLabel", kPageShortcut, {4, 247, 104, 16}},
    {"importDesktopLinksButton", kPageShortcut, {112, 243, 72, 23}},
    {"deleteDesktopLinksButton", kPageShortcut, {188, 243, 72, 23}},
    {"exportDesktopLinksButton", kPageShortcut, {264, 243, 72, 23}},

    // transparencyTab: the two labels on the system, then around the window list (appended).
    {"transparencyNeedsLabel", kPageTransparency, {262, 13, 145, 16}},
    {"transparencySystemsLabel", kPageTransparency, {262, 39, 145, 16}},
    {"refreshWindowListButton", kPageTransparency, {305, 206, 100, 23}},
    {"chosenWindowAlphaLabel", kPageTransparency, {8, 212, 180, 16}},
    {"chosenWindowAlphaValueLabel", kPageTransparency, {190, 212, 40, 16}},
    {"applyChosenWindowAlphaButton", kPageTransparency, {305, 242, 100, 23}},
    // memoryTab: below the sliders, the monitor's gauges with their labels, then the progress
    // gauge and defragmentNowButton (appended, so the other controls keep their ids).
    {"cpuUsageLabel", kPageMemory, {8, 185, 84, 16}},
    {"cpuUsageGauge", kPageMemory, {96, 184, 309, 16}},
    {"freePhysicalMemoryLabel", kPageMemory, {8, 207, 84, 16}},
    {"freePhysicalMemoryGauge", kPageMemory, {96, 206, 309, 16}},
    {"freePageFileLabel", kPageMemory, {8, 229, 84, 16}},
    {"freePageFileGauge", kPageMemory, {96, 228, 309, 16}},
    {"freeVirtualMemoryLabel", kPageMemory, {8, 251, 84, 16}},
    {"freeVirtualMemoryGauge", kPageMemory, {96, 250, 309, 16}},
    {"defragmentProgressLabel", kPageMemory, {8, 275, 84, 16}},
    {"defragmentProgressGauge", kPageMemory, {96, 274, 200, 16}},
    {"defragmentNowButton", kPageMemory, {305, 270, 100, 24}},
    // iconsTab: restoring the icons' positions after a change of resolution (appended).
    {"autoRestoreLayout", kPageIcon, {208, 88, 196, 20}},
    // settingsTab: the menu's hotkey (appended).
    {"menuHotKeyLabel", kPageSettings, {8, 257, 130, 16}},
    {"menuHotKey", kPageSettings, {140, 254, 150, 20}},
};

}  // namespace

std::span<const ControlPlace> MainLayout() { return kPlaces; }

const ControlPlace* FindPlace(std::string_view name) {
  for (const ControlPlace& p : kPlaces) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

int ControlId(std::string_view name) {
  const ControlPlace* p = FindPlace(name);
  if (!p) return 0;
  return p->id != 0 ? p->id : kFirstControlId + static_cast<int>(p - kPlaces);
}

}  // namespace tovr::app::win32
