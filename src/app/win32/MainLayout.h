// Where every control of the main window sits. Positions are in pixels, relative to the page
// the control is on (the page control's display area) or, for the side panel, to sidePanel —
// except the buttons of listButtonsPanel, which are relative to listButtonsPanel.
//
// The frame: client area 452 x 341; the page control pageControl at the left (423 x 331); sidePanel, 29
// pixels wide, at the right with the nine 23 x 23 image buttons.
#pragma once

#include <span>
#include <string_view>

namespace tovr::app::win32 {

struct LayoutRect {
  int x, y, w, h;
};

struct ControlPlace {
  std::string_view name;  // the control's name in TKWForm
  int page;               // PageIndex, or kSidePanel (-1)
  LayoutRect rect;
  int id = 0;             // command id; 0: kFirstControlId + the entry's index
};

inline constexpr int kClientWidth = 452;
inline constexpr int kClientHeight = 341;
inline constexpr int kOuterHeight = 358;
inline constexpr LayoutRect kPageControlRect{0, 5, 423, 331};
inline constexpr int kTabWidth = 60;
inline constexpr int kTabHeight = 20;
inline constexpr LayoutRect kSidePanelRect{423, 0, 29, 341};
inline constexpr int kImageButtonSize = 23;
// Command ids of the controls. The side buttons' ids are fixed (the end-to-end checks press
// them by id); the page control's and the other controls' follow the table.
inline constexpr int kPageControlId = 100;
inline constexpr int kIdAddButton = 201, kIdDeleteButton = 202, kIdModifyButton = 203, kIdRefreshButton = 204,
                     kIdHomePageButton = 205, kIdMailButton = 206, kIdHelpButton = 207, kIdSaveButton = 208,
                     kIdCloseButton = 209;
inline constexpr int kFirstControlId = 1000;

// Room every page has for its controls (the page control's display area is at least this).
inline constexpr int kPageWidth = 413;
inline constexpr int kPageHeight = 297;

// The shortcut page: the list shortcutList, the desktop shortcut row (in the table below) and the
// web-link drop panel urlDropPanel (page-relative). shortcutList and urlDropPanel have views of their own
// (shortcuts/win32), so they are not in the table.
inline constexpr LayoutRect kShortcutListRect{4, 4, 405, 234};
inline constexpr LayoutRect kUrlPanelRect{4, 271, 405, 22};
inline constexpr int kIdShortcutList = 300, kIdUrlPanel = 301;

// The transparency page: the window list windowList and the slider chosenWindowAlphaSlider (page-relative) have a
// view of their own (transparency/win32), so they are not in the table.
inline constexpr LayoutRect kWindowListRect{8, 64, 397, 136};
inline constexpr LayoutRect kAlphaSliderRect{4, 234, 290, 40};
inline constexpr int kIdWindowList = 302, kIdAlphaSlider = 303;
// The startup page: the list startupList fills it (a view of its own, startup/win32).
inline constexpr LayoutRect kStartupListRect{4, 4, 405, 289};
inline constexpr int kIdStartupList = 304;
// The wallpaper page: the list wallpaperList at the top, the preview wallpaperPreview in its group box at the lower
// right (page-relative; views of their own, wallpaper/win32).
inline constexpr LayoutRect kWallpaperListRect{4, 4, 405, 148};
inline constexpr LayoutRect kPreviewGroupRect{270, 154, 139, 139};
inline constexpr LayoutRect kPreviewRect{278, 170, 123, 115};
inline constexpr int kIdWallpaperList = 305, kIdPreviewGroup = 306, kIdPreview = 307;

// Every placed control, page by page.
std::span<const ControlPlace> MainLayout();
// The entry for a control; nullptr when it has none.
const ControlPlace* FindPlace(std::string_view name);
// The command id of a placed control; 0 when it has no entry.
int ControlId(std::string_view name);

}  // namespace tovr::app::win32
