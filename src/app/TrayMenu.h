// The tray menu PopupMenu1 as a model: its fixed items (names as the form names them, captions,
// order, separators, submenus) and the two places where items are put at run time, marked by
// their tag: shortcut entries and group submenus at the top (tag 3), one entry per visible
// top-level window at the end of the transparency submenu MTF (tag 5). Fixed items have tag 0.
//
// Layout, top to bottom:
//   (shortcut entries, tag 3)
//   N4 -, m1 显示主界面...,
//   m5 [快速执行]: m201 m202 m203 mrs mosp, N5 -, menumem, N6 -, menuopencd menuclosecd
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

namespace tovr::app {

inline constexpr int kShortcutEntryTag = 3;
inline constexpr int kWindowEntryTag = 5;

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

// Where a shortcut entry or a group submenu is inserted: position 0, the very top. The callers
// add the rows from the last to the first, so the menu lists them in list order above N4.
std::size_t ShortcutInsertIndex(const controls::MenuItem& root);
// Position of the first fixed item (N4): the number of inserted items above it.
std::size_t FixedItemsStart(const controls::MenuItem& root);

// The window-list part of opening the menu (PopupMenu1Popup): removes MTF's tag-5 items, then
// appends one per title in order, caption = the title, hint = its index in decimal, tag 5; a
// click calls onPick with that index.
void RefreshWindowEntries(controls::MenuItem& mtf, const std::vector<std::string>& windowTitles,
                          std::function<void(int)> onPick);

}  // namespace tovr::app
