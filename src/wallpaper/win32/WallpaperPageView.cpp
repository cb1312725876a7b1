#include "wallpaper/win32/WallpaperPageView.h"

#include "base/win32/Wide.h"

namespace tovr::wallpaper::win32 {

WallpaperPageView::WallpaperPageView(HWND parent, WallpaperPage& page, controls::win32::ControlBinder& binder,
                                     const Placement& at, HFONT font, controls::win32::ActionGuard guard,
                                     std::function<void()> onDblClick)
    : list_(parent, page.wallpaperList, at.listId, at.list, font),
      preview_(parent, page.wallpaperPreview, at.previewId, at.preview, at.background) {
  list_.SetGuard(guard);
  list_.OnDblClick = std::move(onDblClick);
  preview_.SetGuard(std::move(guard));
  listModel_.SetHint(kListHint);
  if (HWND list = list_.Handle()) {
    binder.Adopt(listModel_, list);
    binder.PlaceIn(list, at.pages, at.pageIndex);
  }
  const RECT& g = at.previewGroup;
  HWND group = CreateWindowExW(0, L"BUTTON", Widen(kPreviewCaption).c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                               g.left, g.top, g.right - g.left, g.bottom - g.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(at.previewGroupId)),
                               GetModuleHandleW(nullptr), nullptr);
  if (group) {
    if (font) SendMessageW(group, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    binder.Adopt(groupModel_, group);
    binder.PlaceIn(group, at.pages, at.pageIndex);
  }
  if (HWND preview = preview_.Handle()) {
    binder.Adopt(previewModel_, preview);
    binder.PlaceIn(preview, at.pages, at.pageIndex);
    // Above the group box, which would otherwise paint over it.
    SetWindowPos(preview, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

}  // namespace tovr::wallpaper::win32
