#include "transparency/win32/TransparencyPageView.h"

#include <commctrl.h>

#include "base/win32/Wide.h"

namespace tovr::transparency::win32 {

namespace {

constexpr int kSliderStep = 5;  // page size and tick spacing of chosenWindowAlphaSlider

}  // namespace

TransparencyPageView::TransparencyPageView(HWND parent, TransparencyPage& page, controls::win32::ControlBinder& binder,
                                           const Placement& at, HFONT font, controls::win32::ActionGuard guard)
    : page_(page), guard_(std::move(guard)) {
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                          WS_CHILD | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, at.list.left,
                          at.list.top, at.list.right - at.list.left, at.list.bottom - at.list.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(at.listId)), GetModuleHandleW(nullptr), nullptr);
  if (list_) {
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    binder.Adopt(listModel_, list_);
    binder.PlaceIn(list_, at.pages, at.pageIndex);
    page_.windowList.Changed = [this] { ShowLines(); };
    ShowLines();
  }
  if (HWND slider = binder.Bind(page_.chosenWindowAlphaSlider, at.sliderId, at.slider, TBS_BOTH | TBS_AUTOTICKS)) {
    SendMessageW(slider, TBM_SETTICFREQ, kSliderStep, 0);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, kSliderStep);
    binder.PlaceIn(slider, at.pages, at.pageIndex);
  }
}

TransparencyPageView::~TransparencyPageView() { page_.windowList.Changed = nullptr; }

// The lines are put in anew only when they changed, so that a selection keeps the list's
// scroll position.
void TransparencyPageView::ShowLines() {
  const auto& lines = page_.windowList.Lines();
  if (lines != shown_) {
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines) {
      SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    shown_ = lines;
  }
  if (SendMessageW(list_, LB_GETCURSEL, 0, 0) != page_.windowList.ItemIndex()) {
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(page_.windowList.ItemIndex()), 0);
  }
}

bool TransparencyPageView::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (!list_ || reinterpret_cast<HWND>(lParam) != list_) return false;
  if (HIWORD(wParam) == LBN_SELCHANGE) {
    const int line = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    controls::win32::RunGuarded(guard_, "OnWindowListClicked", [&] { page_.windowList.UserClick(line); });
  }
  return true;
}

}  // namespace tovr::transparency::win32
