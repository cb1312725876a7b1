// The wallpaper page's own windows: the list view wallpaperList mirroring the page's wallpaper list (its
// hint "拖动条目来改变壁纸顺序"), and the group box "壁纸预览" with the preview wallpaperPreview. The main
// window creates one on its page and forwards WM_NOTIFY to it; the option controls are plain
// controls bound by the main window's binder.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "controls/PageControl.h"
#include "controls/win32/ActionGuard.h"
#include "controls/win32/ControlBinder.h"
#include "wallpaper/WallpaperPage.h"
#include "wallpaper/win32/PreviewView.h"
#include "wallpaper/win32/WallpaperListView.h"

namespace tovr::wallpaper::win32 {

inline constexpr char kListHint[] = "拖动条目来改变壁纸顺序";
inline constexpr char kPreviewCaption[] = "壁纸预览";

class WallpaperPageView {
 public:
  struct Placement {
    controls::PageControl& pages;
    int pageIndex;
    RECT list;          // in the parent's client coordinates
    RECT previewGroup;
    RECT preview;
    int listId;
    int previewGroupId;
    int previewId;
    COLORREF background;  // what the page is painted in (the preview's empty box)
  };
  // `guard` runs every user action as the named handler; `onDblClick` is the form's OnWallpaperRowDoubleClicked.
  WallpaperPageView(HWND parent, WallpaperPage& page, controls::win32::ControlBinder& binder,
                    const Placement& placement, HFONT font, controls::win32::ActionGuard guard,
                    std::function<void()> onDblClick);
  WallpaperPageView(const WallpaperPageView&) = delete;
  WallpaperPageView& operator=(const WallpaperPageView&) = delete;

  HWND ListWindow() const { return list_.Handle(); }
  HWND PreviewWindow() const { return preview_.Handle(); }
  void SetImages(HIMAGELIST images) { list_.SetImages(images); }
  bool OnNotify(LPARAM lParam, LRESULT& result) { return list_.OnNotify(lParam, result); }

 private:
  WallpaperListView list_;
  PreviewView preview_;
  // Stand-ins for the binder, which shows, hides and enables the windows with their page.
  controls::Control listModel_{"wallpaperList"};
  controls::Control groupModel_{"wallpaperPreviewGroup", kPreviewCaption};
  controls::Control previewModel_{"wallpaperPreview"};
};

}  // namespace tovr::wallpaper::win32
