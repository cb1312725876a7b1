// The startup page's own window: the list view startupList, filling the page startupTab. The main window
// creates one on its page and forwards WM_NOTIFY to it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "controls/PageControl.h"
#include "controls/win32/ActionGuard.h"
#include "controls/win32/ControlBinder.h"
#include "startup/StartupPage.h"
#include "startup/win32/StartupListView.h"

namespace tovr::startup::win32 {

class StartupPageView {
 public:
  struct Placement {
    controls::PageControl& pages;
    int pageIndex;
    RECT list;  // in the parent's client coordinates
    int listId;
  };
  // `guard` runs every user action as the named handler; `onDblClick` is the form's OnStartupRowDoubleClicked.
  StartupPageView(HWND parent, StartupPage& page, controls::win32::ControlBinder& binder,
                  const Placement& placement, HFONT font, controls::win32::ActionGuard guard,
                  std::function<void()> onDblClick);
  StartupPageView(const StartupPageView&) = delete;
  StartupPageView& operator=(const StartupPageView&) = delete;

  HWND ListWindow() const { return list_.Handle(); }
  void SetImages(HIMAGELIST images) { list_.SetImages(images); }
  bool OnNotify(LPARAM lParam, LRESULT& result) { return list_.OnNotify(lParam, result); }

 private:
  StartupListView list_;
  controls::Control listModel_{"startupList"};  // stands for the list view on its page
};

}  // namespace tovr::startup::win32
