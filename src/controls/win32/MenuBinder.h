// Builds a pop-up menu (HMENU) from a MenuItem tree and maps its command ids back to the items.
// "-" items become separators, items with visible children submenus, hidden items are left
// out, checked and enabled states are shown; an item's image comes from the image list (the
// shared system small-icon list) as a 32-bit bitmap with alpha, drawn transparently.
//
// The menu is rebuilt from the tree by each Build (the tray menu before every opening). Command
// ids are handed out round-robin from the binder's range and are never those of the previous
// build, so a command that arrives late never runs another item; an item removed from the tree
// since the build runs nothing. Keep the range apart from the window's control ids.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

#include "controls/MenuItem.h"
#include "controls/win32/ActionGuard.h"
#include "controls/win32/UniqueHandle.h"

namespace tovr::controls::win32 {

class MenuBinder {
 public:
  explicit MenuBinder(UINT firstId = 0xA000, UINT lastId = 0xBFFF);
  MenuBinder(const MenuBinder&) = delete;
  MenuBinder& operator=(const MenuBinder&) = delete;

  void SetGuard(ActionGuard guard) { guard_ = std::move(guard); }
  // The list the items' image indexes refer to; not owned. Null: no images.
  void SetImages(HIMAGELIST images);

  // A new pop-up menu of root's children; the binder owns it until the next Build. `root`
  // must outlive the binder's use of the menu.
  HMENU Build(MenuItem& root);
  HMENU Menu() const { return menu_.get(); }

  MenuItem* ItemForCommand(UINT id) const;  // null for another id or an item since removed
  bool Run(UINT id);                        // clicks the item of `id`, through the guard
  bool OnCommand(WPARAM wParam, LPARAM lParam);  // WM_COMMAND from the menu
  // Opens the menu at a screen point for `owner` and returns the chosen id (0: dismissed). The
  // caller runs it with Run. A Build while the menu is open keeps the open one alive until
  // Track returns.
  UINT Track(HWND owner, POINT at, UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON);

  // The image of a list as a 32-bit premultiplied-alpha bitmap, for menus; null on failure.
  static HBITMAP ImageBitmap(HIMAGELIST images, int index);

 private:
  void Fill(HMENU menu, MenuItem& parent);
  UINT NextId();
  HBITMAP BitmapFor(int index);

  UINT firstId_, lastId_, nextId_;
  ActionGuard guard_;
  HIMAGELIST images_ = nullptr;
  MenuItem* root_ = nullptr;
  UniqueMenu menu_;
  std::vector<UniqueMenu> retired_;  // built over while open
  bool tracking_ = false;
  bool imagesChanged_ = false;  // the cached bitmaps are of the previous list
  std::unordered_map<UINT, std::uint64_t> commands_;  // id -> item serial
  std::map<int, UniqueBitmap> bitmaps_;               // image index -> bitmap
};

}  // namespace tovr::controls::win32
