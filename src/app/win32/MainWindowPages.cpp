// The main window's page views (each tool's own windows on its page) and their scaling when the
// window moves to a monitor of another DPI.
#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "app/MainForm.h"
#include "app/win32/MainLayout.h"
#include "controls/win32/Dpi.h"

namespace tovr::app::win32 {

// Tabs 60 wide (at 96 DPI); when seven of them and the selected tab's outset do not fit into
// the page control (Wine's tab control needs 4 pixels more than the tabs), a little narrower,
// so that no scroll arrows appear.
void MainWindow::SizeTabs() {
  HWND tabs = binder_->Window(form_->pageControl);
  RECT client{};
  GetClientRect(tabs, &client);
  const int pages = static_cast<int>(form_->pageControl.Pages().size());
  const int width = Scale(kTabWidth);
  const int tabWidth = pages > 0 ? std::min(width, static_cast<int>(client.right - Scale(4)) / pages) : width;
  SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth, Scale(kTabHeight)));
}

// The window moved to a monitor of another DPI: take the place Windows suggests, and scale
// every control, the font and the list columns from the old DPI to the new one.
void MainWindow::ChangeDpi(int dpi, const RECT& suggested) {
  if (dpi <= 0 || dpi == dpi_) return;
  const int old = dpi_;
  dpi_ = dpi;
  controls::win32::UniqueHandle<HFONT, &DeleteObject> font(controls::win32::CreateUiFont(dpi_));
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  controls::win32::RescaleChildren(hwnd_, old, dpi_, font.get());
  font_ = std::move(font);
  if (shortcutPage_) shortcutPage_->ChangeDpi(dpi_);
  if (controlsMade_) SizeTabs();
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The shortcut page: the list view shortcutList and the web-link drop panel urlDropPanel below it.
void MainWindow::CreateShortcutPage() {
  TKWForm& f = *form_;
  const RECT area = PageArea();
  shortcutPage_ = std::make_unique<shortcuts::win32::ShortcutPageView>(
      hwnd_, f.shortcutPage, *binder_,
      shortcuts::win32::ShortcutPageView::Placement{
          f.pageControl, kPageShortcut, Offset(kShortcutListRect, area.left, area.top),
          Offset(kUrlPanelRect, area.left, area.top), kIdShortcutList, kIdUrlPanel},
      font_.get(),
      [this](const std::string& name, const std::function<void()>& action) { form_->Dispatch(name, action); },
      [this] { form_->OnShortcutRowDoubleClicked(); });
  if (systemImages_) shortcutPage_->SetImages(systemImages_);
}

// The transparency page: the window list windowList and the slider chosenWindowAlphaSlider.
void MainWindow::CreateTransparencyPage() {
  const RECT area = PageArea();
  transparencyPage_ = std::make_unique<transparency::win32::TransparencyPageView>(
      hwnd_, form_->transparencyPage, *binder_,
      transparency::win32::TransparencyPageView::Placement{
          form_->pageControl, kPageTransparency, Offset(kWindowListRect, area.left, area.top),
          Offset(kAlphaSliderRect, area.left, area.top), kIdWindowList, kIdAlphaSlider},
      font_.get(),
      [this](const std::string& name, const std::function<void()>& action) { form_->Dispatch(name, action); });
}

// The memory page's gauges, at their places in the layout (their labels and defragmentNowButton are
// plain controls, bound with the others).
void MainWindow::CreateMemoryPage() {
  const RECT area = PageArea();
  memoryPage_ = std::make_unique<memory::win32::MemoryPageView>(
      hwnd_, form_->memoryPage, *binder_, form_->pageControl, kPageMemory, font_.get(), [&](const std::string& name) {
        const ControlPlace* place = FindPlace(name);
        return memory::win32::MemoryPageView::Place{place ? Offset(place->rect, area.left, area.top) : RECT{},
                                                    ControlId(name)};
      });
}

// The startup page: the list startupList.
void MainWindow::CreateStartupPage() {
  TKWForm& f = *form_;
  const RECT area = PageArea();
  startupPage_ = std::make_unique<startup::win32::StartupPageView>(
      hwnd_, f.startupPage, *binder_,
      startup::win32::StartupPageView::Placement{f.pageControl, kPageStartup,
                                                 Offset(kStartupListRect, area.left, area.top), kIdStartupList},
      font_.get(),
      [this](const std::string& name, const std::function<void()>& action) { form_->Dispatch(name, action); },
      [this] { form_->OnStartupRowDoubleClicked(); });
  if (systemImages_) startupPage_->SetImages(systemImages_);
}

// The wallpaper page: the list view wallpaperList and the preview wallpaperPreview in its group box.
void MainWindow::CreateWallpaperPage() {
  TKWForm& f = *form_;
  const RECT area = PageArea();
  wallpaperPage_ = std::make_unique<wallpaper::win32::WallpaperPageView>(
      hwnd_, f.wallpaperPage, *binder_,
      wallpaper::win32::WallpaperPageView::Placement{
          f.pageControl, kPageWallpaper, Offset(kWallpaperListRect, area.left, area.top),
          Offset(kPreviewGroupRect, area.left, area.top), Offset(kPreviewRect, area.left, area.top), kIdWallpaperList,
          kIdPreviewGroup, kIdPreview, pageColor_},
      font_.get(),
      [this](const std::string& name, const std::function<void()>& action) { form_->Dispatch(name, action); },
      [this] { form_->OnWallpaperRowDoubleClicked(); });
  if (systemImages_) wallpaperPage_->SetImages(systemImages_);
}

}  // namespace tovr::app::win32
