// The transparency page's own windows: the window list windowList (a LISTBOX mirroring the page's
// list model) and the slider chosenWindowAlphaSlider (ticks every 5 on both sides, page size 5). The main window
// creates one on its page and forwards WM_COMMAND to it; the boxes, spin edits, labels and
// buttons of the page are plain controls bound by the main window's binder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/PageControl.h"
#include "controls/win32/ActionGuard.h"
#include "controls/win32/ControlBinder.h"
#include "transparency/TransparencyPage.h"

namespace tovr::transparency::win32 {

class TransparencyPageView {
 public:
  struct Placement {
    controls::PageControl& pages;
    int pageIndex;
    RECT list;    // in the parent's client coordinates
    RECT slider;
    int listId;
    int sliderId;
  };
  // `guard` runs every user action as the named handler.
  TransparencyPageView(HWND parent, TransparencyPage& page, controls::win32::ControlBinder& binder,
                       const Placement& placement, HFONT font, controls::win32::ActionGuard guard);
  ~TransparencyPageView();
  TransparencyPageView(const TransparencyPageView&) = delete;
  TransparencyPageView& operator=(const TransparencyPageView&) = delete;

  HWND ListWindow() const { return list_; }
  // LBN_SELCHANGE of the list: the user's click on a line (OnWindowListClicked). True when the
  // command was the list's.
  bool OnCommand(WPARAM wParam, LPARAM lParam);

 private:
  void ShowLines();

  TransparencyPage& page_;
  controls::win32::ActionGuard guard_;
  HWND list_ = nullptr;
  controls::Control listModel_{"windowList"};  // stands for the list box on its page
  std::vector<std::string> shown_;         // the lines the list box holds
};

}  // namespace tovr::transparency::win32
