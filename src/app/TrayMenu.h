// The tray menu trayPopupMenu as a model: its fixed items (names, captions, order, separators,
// submenus) and the two places where items are put at run time, marked by their tag: shortcut
// entries and group submenus at the top (tag 3), one entry per visible top-level window at the
// end of the transparency submenu transparencyItem (tag 5). Fixed items have tag 0.
//
// Layout, top to bottom:
//   (shortcut entries, tag 3)
//   shortcutsSeparatorItem -, showMainWindowItem 显示主界面...,
//   quickActionsItem [快速执行]:
//     nextWallpaperItem hideIconsItem refreshIconsItem saveIconLayoutItem restoreIconLayoutItem
//     screenSaverItem displayPropertiesItem, memorySeparatorItem -, defragMemoryItem,
//     cdDriveSeparatorItem -, openCdDriveItem closeCdDriveItem
//   transparencyItem [设置窗口透明]:
//     taskbarTransparencyItem 任务栏, startMenuTransparencyItem 开始菜单,
//     windowEntriesSeparatorItem -, (window entries, tag 5)
//   checkUpdateItem 检查新版本, downloadUpdateItem 下载新版本 (hidden), feedbackSeparatorItem -,
//   feedbackItem 意见或建议,
//   aboutItem [关于]:
//     aboutNameItem aboutVersionItem (captions from start-up step 18), authorItem 作者 ...,
//     homePageItem 访问主页, helpItem 帮助
//   quitSeparatorItem -, quitItem 关闭
//
// The actions (OnClick) are connected by the main window; the builder sets none.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/MenuItem.h"
#include "controls/MenuSlots.h"

namespace tovr::app {

using controls::FixedItemsStart;
using controls::kShortcutEntryTag;
using controls::kWindowEntryTag;
using controls::RefreshWindowEntries;
using controls::ShortcutInsertIndex;

// aboutItem "[关于]" shows a small picture of the program's own rather than an icon of the shared
// system small-icon list. Its image index is this marker (not an index, and not -1 "none"):
// the menu view draws the application icon at small size for it.
inline constexpr int kOwnPictureImage = -2;

inline constexpr std::string_view kAuthorName = "林舟";

// A new trayPopupMenu with every fixed item. aboutNameItem and aboutVersionItem have empty captions until
// SetAboutCaptions; helpItem is enabled until start-up step 17 decides.
std::unique_ptr<controls::MenuItem> BuildTrayMenu();

// Start-up step 18: aboutVersionItem := "[版本  2.53 测试版]", aboutNameItem := "[名称 Tovrane]".
void SetAboutCaptions(controls::MenuItem& root);

}  // namespace tovr::app
