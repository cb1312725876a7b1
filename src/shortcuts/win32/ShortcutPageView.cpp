#include "shortcuts/win32/ShortcutPageView.h"

#include "controls/win32/Dpi.h"

namespace tovr::shortcuts::win32 {

ShortcutPageView::ShortcutPageView(HWND parent, ShortcutPage& page, controls::win32::ControlBinder& binder,
                                   const Placement& at, HFONT font, controls::win32::ActionGuard guard,
                                   std::function<void()> onDblClick)
    : page_(page), binder_(binder), guard_(guard), list_(parent, page.shortcutList, at.listId, at.list, font) {
  list_.SetGuard(std::move(guard));
  list_.OnDblClick = std::move(onDblClick);
  if (HWND list = list_.Handle()) {
    binder_.Adopt(listModel_, list);
    binder_.PlaceIn(list, at.pages, at.pageIndex);
  }
  LOGFONTW bold{};
  if (GetObjectW(font, sizeof bold, &bold)) {
    bold.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&bold));
  }
  HWND panel = binder_.Bind(page_.urlDropPanel, at.urlPanelId, at.urlPanel, SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN);
  if (panel) {
    if (boldFont_) SendMessageW(panel, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    binder_.PlaceIn(panel, at.pages, at.pageIndex);
  }
}

ShortcutPageView::~ShortcutPageView() { urlDrop_.Revoke(); }

void ShortcutPageView::ChangeDpi(int dpi) {
  boldFont_.reset(controls::win32::CreateUiFont(dpi, true));
  if (HWND panel = UrlPanelWindow()) {
    SendMessageW(panel, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), TRUE);
  }
}

bool ShortcutPageView::RegisterUrlDrop() {
  urlDrop_.OnDrop = [this](const DroppedLink& link) {
    controls::win32::RunGuarded(guard_, "OnWebLinkDropped", [&] { page_.editing.OnUrlDropped(link); });
  };
  page_.editing.AcceptUrlDrops = [this](bool accept) { urlDrop_.SetAccepting(accept); };
  HWND panel = UrlPanelWindow();
  return panel && urlDrop_.Register(panel);
}

}  // namespace tovr::shortcuts::win32
