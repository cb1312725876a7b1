// The tray menu PopupMenu1 as a model: its fixed items (names as the form names them, captions,
// order, separators, submenus) and the two places where items are put at run time, marked by
// their tag: shortcut entries and group submenus at the top (tag 3), one entry per visible
// top-level window at the end of the transparency submenu MTF (tag 5). Fixed items have tag 0.
//
// Layout, top to bottom:
//   (shortcut entries, tag 3)
//   N4 -, m1 显示主界面...,
//   m5 [快速执行]: m201 m202 m203 menuSaveIconLayout menuRestoreIconLayout mrs mosp, N5 -,
//                  menumem, N6 -, menuopencd menuclosecd
//   MTF [设置窗口透明]: N2 任务栏, N3 开始菜单, N1 -, (window entries, tag 5)
//   MenuCV 检查新版本, menudown 下载新版本 (hidden), N7 -, N9 意见或建议,
//   m9 [关于]: m302 m303 (captions from start-up step 18), m304 作者 ..., m305 访问主页, m306 帮助
//   N8 -, menuclose 关闭
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

// m9 "[关于]" shows a small picture of the program's own rather than an icon of the shared
// system small-icon list. Its image index is this marker (not an index, and not -1 "none"):
// the menu view draws the application icon at small size for it.
inline constexpr int kOwnPictureImage = -2;

inline constexpr std::string_view kAuthorName = "林舟";

// A new PopupMenu1 with every fixed item. m302 and m303 have empty captions until
// SetAboutCaptions; m306 is enabled until start-up step 17 decides.
std::unique_ptr<controls::MenuItem> BuildTrayMenu();

// Start-up step 18: m303 := "[版本  2.53 测试版]", m302 := "[名称 Tovrane]".
void SetAboutCaptions(controls::MenuItem& root);

}  // namespace tovr::app
