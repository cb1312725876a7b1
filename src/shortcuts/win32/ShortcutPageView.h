// The shortcut page's own windows: the list view shortcutList mirroring the page's shortcut list and,
// below it, the panel urlDropPanel ("拖入网址", green, bold) with the OLE drop target that takes web
// links dropped from a browser. The main window creates one on its page and forwards WM_NOTIFY
// to it; the desktop-link buttons are plain controls bound by the main window's binder.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "controls/PageControl.h"
#include "controls/win32/ActionGuard.h"
#include "controls/win32/ControlBinder.h"
#include "controls/win32/UniqueHandle.h"
#include "shortcuts/ShortcutPage.h"
#include "shortcuts/win32/ShortcutListView.h"
#include "shortcuts/win32/UrlDropTarget.h"

namespace tovr::shortcuts::win32 {

class ShortcutPageView {
 public:
  struct Placement {
    controls::PageControl& pages;
    int pageIndex;
    RECT list;      // in the parent's client coordinates
    RECT urlPanel;
    int listId;
    int urlPanelId;
  };
  // `guard` runs every user action as the named handler; `onDblClick` is the form's OnShortcutRowDoubleClicked.
  ShortcutPageView(HWND parent, ShortcutPage& page, controls::win32::ControlBinder& binder,
                   const Placement& placement, HFONT font, controls::win32::ActionGuard guard,
                   std::function<void()> onDblClick);
  ~ShortcutPageView();
  ShortcutPageView(const ShortcutPageView&) = delete;
  ShortcutPageView& operator=(const ShortcutPageView&) = delete;

  HWND ListWindow() const { return list_.Handle(); }
  HWND UrlPanelWindow() const { return binder_.Window(page_.urlDropPanel); }
  UrlDropTarget& UrlDrop() { return urlDrop_; }
  void SetImages(HIMAGELIST images) { list_.SetImages(images); }
  bool OnNotify(LPARAM lParam, LRESULT& result) { return list_.OnNotify(lParam, result); }
  // Registers the drop target on urlDropPanel (OLE must be initialised): a drop runs the page's
  // OnUrlDropped as "OnWebLinkDropped", which switches acceptance off while it asks.
  bool RegisterUrlDrop();
  // The window moved to another DPI (its children are already moved and given the new font):
  // urlDropPanel gets its bold font at that DPI.
  void ChangeDpi(int dpi);

 private:
  ShortcutPage& page_;
  controls::win32::ControlBinder& binder_;
  controls::win32::ActionGuard guard_;
  ShortcutListView list_;
  controls::Control listModel_{"shortcutList"};  // stands for the list view on its page
  controls::win32::UniqueHandle<HFONT, &DeleteObject> boldFont_;
  UrlDropTarget urlDrop_;
};

}  // namespace tovr::shortcuts::win32
