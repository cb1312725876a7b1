#include "app/win32/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "resource.h"
#include "app/MainForm.h"
#include "app/HotKey.h"
#include "app/TrayMenu.h"
#include "app/win32/MainLayout.h"
#include "app/win32/SideGlyphs.h"
#include "app/win32/TrayMenuDump.h"
#include "base/win32/Wide.h"
#include "controls/win32/Dpi.h"
#include "controls/win32/MenuBinder.h"
#include "controls/win32/TimerBinder.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/ProcessFigures.h"

namespace tovr::app::win32 {

namespace {

constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
constexpr int kMenuHotKeyId = 1;  // RegisterHotKey's id of the menu's hotkey
constexpr UINT kMakeControlsMessage = WM_APP + 0x31;

using controls::Control;

// Styles a few controls need beyond what their kind gives.
DWORD ExtraStyle(std::string_view name) {
  if (name == "ringCount") return ES_READONLY;  // arrows only
  if (name == "windowAlphaEdit" || name == "taskbarAlphaEdit" || name == "startMenuAlphaEdit") return ES_READONLY;
  // defragmentSizeSlider's range is the machine's memory in MiB: ticks every 8 would be a solid bar.
  if (name == "memoryLimitSlider" || name == "cpuLimitSlider") return TBS_AUTOTICKS;
  return 0;
}

// Creates the real control for a model of any kind.
HWND BindAny(controls::win32::ControlBinder& binder, Control& c, int id, const RECT& r, DWORD style) {
  using namespace controls;
  if (auto* x = dynamic_cast<CheckBox*>(&c)) return binder.Bind(*x, id, r, style);
  if (auto* x = dynamic_cast<RadioButton*>(&c)) return binder.Bind(*x, id, r, style);
  if (auto* x = dynamic_cast<SpinEdit*>(&c)) return binder.Bind(*x, id, r, style);
  if (auto* x = dynamic_cast<TrackBar*>(&c)) return binder.Bind(*x, id, r, style);
  if (auto* x = dynamic_cast<HotKeyField*>(&c)) return binder.Bind(*x, id, r, style);
  if (auto* x = dynamic_cast<ComboBox*>(&c)) return binder.Bind(*x, id, r, style);
  if (auto* x = dynamic_cast<Edit*>(&c)) return binder.Bind(*x, id, r, style);
  if (auto* x = dynamic_cast<Label*>(&c)) return binder.Bind(*x, id, r, style);
  if (auto* x = dynamic_cast<ColorPanel*>(&c)) return binder.Bind(*x, id, r, style);
  if (auto* x = dynamic_cast<Button*>(&c)) return binder.Bind(*x, id, r, style);
  return nullptr;  // a container: no window of its own
}


MainWindow* FromWindow(HWND hwnd) { return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void AttachOnCreate(HWND hwnd, UINT msg, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
}

// The application icon at a size; shared with the module, never destroyed.
HICON AppIcon(HINSTANCE instance, int cx, int cy) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, cx, cy, LR_SHARED));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() { Destroy(); }

void MainWindow::Destroy() {
  timers_.reset();
  tray_.reset();  // removes the icon
  // The binder goes before the page views: it still refers to the models they hold.
  binder_.reset();
  shortcutPage_.reset();      // lets go of shortcutList, revokes the drop target
  transparencyPage_.reset();  // lets go of windowList
  memoryPage_.reset();
  startupPage_.reset();  // after the binder, which lets go of the view's stand-in model
  wallpaperPage_.reset();  // lets go of wallpaperList and wallpaperPreview
  iconPage_.reset();
  menu_.reset();
  sideGlyphs_.clear();
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  if (owner_) {
    SetWindowLongPtrW(owner_, GWLP_USERDATA, 0);
    DestroyWindow(owner_);
    owner_ = nullptr;
  }
  form_ = nullptr;
}

bool MainWindow::Create(TKWForm& form, const std::string& appTitle) {
  form_ = &form;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = AppIcon(instance_, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  wc.hIconSm = AppIcon(instance_, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  wc.lpfnWndProc = &MainWindow::OwnerProc;
  wc.lpszClassName = kOwnerClassName;
  RegisterClassExW(&wc);
  wc.lpfnWndProc = &MainWindow::WindowProc;
  wc.lpszClassName = kClassName;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassExW(&wc);

  // The application's owner window: hidden, no size, a tool window (no taskbar button). Its
  // title is the application title.
  owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClassName, Widen(appTitle).c_str(), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                           GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                           nullptr, instance_, this);
  if (!owner_) return false;

  // The tray icon goes in first, long before the start-up sequence runs: the user sees the
  // program at once. Its events wait in the queue until the message loop (or the first box)
  // runs, when the window and the menu exist. The main window stays hidden.
  bigIcon_ = AppIcon(instance_, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  smallIcon_ = AppIcon(instance_, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  tray_ = std::make_unique<TrayIcon>(instance_);
  tray_->SetIcon(smallIcon_);
  tray_->SetHint(kInitialTrayHint);
  tray_->SetVisible(true);

  // Made at the design size, then sized for the DPI of the monitor it lands on: every
  // position, size and the font follow that DPI (96 = 100 %).
  hwnd_ = CreateWindowExW(kFrameExStyle, kClassName, Widen(kWindowCaption).c_str(), kFrameStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, kClientWidth, kOuterHeight, owner_, nullptr, instance_, this);
  if (!hwnd_) return false;
  dpi_ = controls::win32::WindowDpi(hwnd_);
  font_.reset(controls::win32::CreateUiFont(dpi_));
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  controls::win32::AdjustFrameForDpi(frame, kFrameStyle, kFrameExStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, OuterHeight(kOuterHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

  const auto guard = [this](const std::string& name, const std::function<void()>& action) {
    form_->Dispatch(name, action);
  };
  binder_ = std::make_unique<controls::win32::ControlBinder>(hwnd_, font_.get());
  binder_->SetGuard(guard);

  timers_ = std::make_unique<controls::win32::TimerBinder>(hwnd_, 1);
  timers_->SetGuard(guard);
  for (controls::Timer* timer : form.Timers()) timers_->Bind(*timer);

  menu_ = std::make_unique<controls::win32::MenuBinder>();
  menu_->SetGuard(guard);

  tray_->menuOwner = hwnd_;
  tray_->PrepareMenu = [this] { return PrepareTrayMenu(); };
  tray_->OnDblClick = [this] { form_->Dispatch("OnTrayDoubleClicked", [this] { form_->OnTrayDoubleClicked(); }); };
  return true;
}

void MainWindow::CreateControls() {
  TKWForm& f = *form_;
  RECT client{};
  GetClientRect(hwnd_, &client);
  // The frame's outer height is fixed, so the client area may be a little lower than the
  // design's on systems with a taller title bar: the page control keeps to it.
  const int clientHeight = client.bottom;
  const RECT pc = Offset(kPageControlRect, 0, 0);
  const int pcTop = std::clamp(clientHeight - static_cast<int>(pc.bottom - pc.top), 0, static_cast<int>(pc.top));
  const int pcHeight = std::min(static_cast<int>(pc.bottom - pc.top), clientHeight - pcTop);
  binder_->Bind(f.pageControl, kPageControlId, RECT{pc.left, pcTop, pc.right, pcTop + pcHeight}, TCS_FIXEDWIDTH);
  SizeTabs();

  SamplePageColor();
  const RECT area = PageArea();
  for (int page = 0; page < kPageCount; ++page) {
    for (Control* c : f.ControlsOfPage(page)) {
      const ControlPlace* place = FindPlace(c->Name());
      if (!place) continue;
      HWND h = BindAny(*binder_, *c, ControlId(c->Name()), Offset(place->rect, area.left, area.top), ExtraStyle(c->Name()));
      if (!h) continue;
      binder_->PlaceIn(h, f.pageControl, page);
      if (auto* track = dynamic_cast<controls::TrackBar*>(c)) {
        SendMessageW(h, TBM_SETTICFREQ, 2, 0);
        SendMessageW(h, TBM_SETPAGESIZE, 0, track->Increment());
      }
    }
  }

  // The side panel: listButtonsPanel's four buttons act on the active page; OnPageChanged enables listButtonsPanel.
  const ControlPlace* listPanel = FindPlace("listButtonsPanel");
  const int sidePanelX = Scale(kSidePanelRect.x), sidePanelY = Scale(kSidePanelRect.y);
  for (Control* c : f.ControlsOfPage(kSidePanel)) {
    auto glyph = SideGlyphOf(c->Name());
    const ControlPlace* place = FindPlace(c->Name());
    auto* button = dynamic_cast<controls::Button*>(c);
    if (!glyph || !place || !button) continue;
    const bool inListButtonsPanel = *glyph == SideGlyph::Add || *glyph == SideGlyph::Delete ||
                                    *glyph == SideGlyph::Modify || *glyph == SideGlyph::Refresh;
    const int dx = sidePanelX + (inListButtonsPanel && listPanel ? Scale(listPanel->rect.x) : 0);
    const int dy = sidePanelY + (inListButtonsPanel && listPanel ? Scale(listPanel->rect.y) : 0);
    HWND h = binder_->Bind(*button, place->id, Offset(place->rect, dx, dy), BS_OWNERDRAW);
    if (!h) continue;
    sideGlyphs_[h] = *glyph;
    binder_->PlaceIn(h, inListButtonsPanel ? f.listButtonsPanel : f.sidePanel);
  }
  CreateShortcutPage();
  CreateTransparencyPage();
  CreateMemoryPage();
  CreateStartupPage();
  CreateWallpaperPage();
  // The pages' list views set their columns for the 96-DPI design.
  controls::win32::ScaleListColumns(hwnd_, controls::win32::kDesignDpi, dpi_);
}

int MainWindow::Scale(int value) const { return controls::win32::ScaleToDpi(value, dpi_); }

// An outer height of the 96-DPI design at the window's DPI: the client part scales, the
// caption and borders are the system's at that DPI.
int MainWindow::OuterHeight(int designHeight) const {
  RECT at96{0, 0, 0, 0}, atDpi{0, 0, 0, 0};
  controls::win32::AdjustFrameForDpi(at96, kFrameStyle, kFrameExStyle, controls::win32::kDesignDpi);
  controls::win32::AdjustFrameForDpi(atDpi, kFrameStyle, kFrameExStyle, dpi_);
  const int frame96 = at96.bottom - at96.top, frame = atDpi.bottom - atDpi.top;
  return Scale(designHeight - frame96) + frame;
}

RECT MainWindow::Offset(const LayoutRect& r, int dx, int dy) const {
  const int x = dx + Scale(r.x), y = dy + Scale(r.y);
  return RECT{x, y, x + Scale(r.w), y + Scale(r.h)};
}

// The pages are painted by the page control (white under a visual style, the face colour
// without one); labels, check boxes and sliders on them take the same colour.
void MainWindow::SamplePageColor() {
  HWND tabs = binder_->Window(form_->pageControl);
  RECT client{};
  GetClientRect(tabs, &client);
  pageColor_ = GetSysColor(COLOR_BTNFACE);
  HDC screen = GetDC(tabs);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  if (mem && bitmap) {
    HGDIOBJ old = SelectObject(mem, bitmap);
    FillRect(mem, &client, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND);
    RECT area = client;
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const COLORREF c = GetPixel(mem, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
    if (c != CLR_INVALID) pageColor_ = c;
    SelectObject(mem, old);
  }
  if (bitmap) DeleteObject(bitmap);
  if (mem) DeleteDC(mem);
  ReleaseDC(tabs, screen);
  pageBrush_.reset(CreateSolidBrush(pageColor_));
}

HBRUSH MainWindow::PageBackground(HDC dc, HWND control) {
  if (!pageBrush_) return nullptr;
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  if (lstrcmpiW(cls, WC_EDITW) == 0) return nullptr;  // fields keep their own look
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  const RECT area = PageArea();
  POINT corner{r.left, r.top};
  if (!PtInRect(&area, corner)) return nullptr;  // the side panel
  SetBkColor(dc, pageColor_);
  return pageBrush_.get();
}

HWND MainWindow::ControlWindow(const controls::Control& model) const {
  return binder_ ? binder_->Window(model) : nullptr;
}

RECT MainWindow::PageArea() const {
  HWND tabs = binder_->Window(form_->pageControl);
  RECT r{};
  GetWindowRect(tabs, &r);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void MainWindow::DrawImageButton(const DRAWITEMSTRUCT& item) {
  auto found = sideGlyphs_.find(item.hwndItem);
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  // A flat button: an edge only while pressed.
  if (pressed) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  if (found != sideGlyphs_.end()) {
    // The 16 x 16 picture is drawn through a world transform scaled to the DPI.
    const int size = Scale(kGlyphSize);
    const int x = r.left + (r.right - r.left - size) / 2 + (pressed ? Scale(1) : 0);
    const int y = r.top + (r.bottom - r.top - size) / 2 + (pressed ? Scale(1) : 0);
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    const int oldMode = SetGraphicsMode(dc, GM_ADVANCED);
    XFORM old{};
    GetWorldTransform(dc, &old);
    const FLOAT k = static_cast<FLOAT>(dpi_) / controls::win32::kDesignDpi;
    const XFORM scaled{k, 0, 0, k, static_cast<FLOAT>(x), static_cast<FLOAT>(y)};
    SetWorldTransform(dc, &scaled);
    DrawSideGlyph(dc, found->second, 0, 0, enabled);
    SetWorldTransform(dc, &old);
    SetGraphicsMode(dc, oldMode);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT f = r;
    InflateRect(&f, -2, -2);
    DrawFocusRect(dc, &f);
  }
}

void MainWindow::PaintSidePanel(HDC dc) {
  RECT panel = Offset(kSidePanelRect, 0, 0);
  RECT client{};
  GetClientRect(hwnd_, &client);
  panel.bottom = std::min(panel.bottom, client.bottom);
  DrawEdge(dc, &panel, BDR_RAISEDINNER, BF_RECT);
}

HMENU MainWindow::PrepareTrayMenu() {
  AttachLaterIcons();
  // The menu's opening handler runs first; when it fails the menu does not open.
  if (!form_->Dispatch("OnTrayMenuOpening", [this] { form_->OnTrayMenuOpening(); })) return nullptr;
  if (!form_->trayPopupMenu) return nullptr;
  HMENU menu = menu_->Build(*form_->trayPopupMenu);
  if (!menu) return nullptr;
  // "[关于]" carries the program's own small picture.
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    controls::MenuItem* item = menu_->ItemForCommand(info.wID);
    if (!item || item->ImageIndex() != kOwnPictureImage) continue;
    if (!ownPicture_) {
      const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
      if (HIMAGELIST list = TOVR_LATE(comctl32, ImageList_Create)(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 0)) {
        TOVR_LATE(comctl32, ImageList_ReplaceIcon)(list, -1, smallIcon_);
        ownPicture_.reset(controls::win32::MenuBinder::ImageBitmap(list, 0));
        TOVR_LATE(comctl32, ImageList_Destroy)(list);
      }
    }
    MENUITEMINFOW picture{};
    picture.cbSize = sizeof picture;
    picture.fMask = MIIM_BITMAP;
    picture.hbmpItem = ownPicture_.get();
    SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &picture);
  }
  DumpMenuIfAsked(menu);
  return menu;
}

void MainWindow::Minimize() {
  form_->Dispatch("OnApplicationMinimized", [this] { form_->OnApplicationMinimized(); });
  tray_->SetVisible(true);  // MinimizeToTray: the icon stays reachable
}

void MainWindow::Center() {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  SetWindowPos(hwnd_, nullptr, std::max(0, x), std::max(0, y), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::AttachLaterIcons() {
  if (!form_ || !form_->iconsLeftForLater) return;
  form_->Dispatch("AttachLaterIcons", [this] { form_->AttachLaterIcons(); });
  MarkIconsAttached();
}

void MainWindow::EnsureControls() {
  if (!binder_ || controlsMade_) return;
  controlsMade_ = true;
  CreateControls();
  iconPage_ = std::make_unique<desktop::win32::IconPageView>(form_->iconPage, *binder_);
  if (systemImages_) {
    if (shortcutPage_) shortcutPage_->SetImages(systemImages_);
    if (startupPage_) startupPage_->SetImages(systemImages_);
    if (wallpaperPage_) wallpaperPage_->SetImages(systemImages_);
  }
  if (urlDropWanted_ && shortcutPage_) shortcutPage_->RegisterUrlDrop();
  if (iconWanted_) SetWindowIcons();
}

void MainWindow::CreateControlsWhenIdle() {
  if (hwnd_) PostMessageW(hwnd_, kMakeControlsMessage, 0, 0);
}

void MainWindow::RegisterUrlDrop() {
  urlDropWanted_ = true;
  if (shortcutPage_) shortcutPage_->RegisterUrlDrop();
}

// ---- IShellUi -------------------------------------------------------------------------------

void MainWindow::ShowMainWindow() {
  if (!hwnd_) return;
  EnsureControls();
  if (!centred_) {
    Center();
    centred_ = true;
  }
  // The owner window has no size: it is only ever restored from a minimised state, never
  // shown (a visible owner would cost nothing but could give the program a taskbar entry
  // before start-up step 8).
  if (IsIconic(owner_)) ShowWindow(owner_, SW_RESTORE);
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void MainWindow::HideMainWindow() {
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_HIDE);
  ShowWindow(owner_, SW_HIDE);
}

void MainWindow::AcceptFiles(bool accept) {
  if (hwnd_) DragAcceptFiles(hwnd_, accept ? TRUE : FALSE);
}

void MainWindow::QuitApplication() { PostQuitMessage(0); }

void MainWindow::SetOuterHeight(int height) {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, OuterHeight(height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The windows take the icon when the window is made complete (its first showing, or the first
// idle moment after start-up): nobody sees a hidden window's icon, and giving it costs Wine's
// X11 driver tens of milliseconds. The tray icon has shown it since the start.
void MainWindow::ApplyApplicationIcon() {
  iconWanted_ = true;
  if (controlsMade_) SetWindowIcons();
}

void MainWindow::SetWindowIcons() {
  for (HWND h : {hwnd_, owner_}) {
    SendMessageW(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  }
}

void MainWindow::MakeOwnerToolWindow() { SetWindowLongPtrW(owner_, GWL_EXSTYLE, WS_EX_TOOLWINDOW); }

void MainWindow::InstallMinimizeHandler() { minimizeHandler_ = true; }

void MainWindow::ShareSystemImageList() {
  SHFILEINFOW info{};
  systemImages_ = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_SMALLICON));
  if (info.hIcon) DestroyIcon(info.hIcon);
  menu_->SetImages(systemImages_);
  if (shortcutPage_) shortcutPage_->SetImages(systemImages_);
  if (startupPage_) startupPage_->SetImages(systemImages_);
  if (wallpaperPage_) wallpaperPage_->SetImages(systemImages_);
}

void MainWindow::SetTrayHint(const std::string& hint) { tray_->SetHint(hint); }

bool MainWindow::SetMenuHotKey(std::uint16_t value) {
  UnregisterHotKey(hwnd_, kMenuHotKeyId);
  if (value == 0) return true;
  return RegisterHotKey(hwnd_, kMenuHotKeyId, RegisterModifiers(value) | MOD_NOREPEAT, value & 0xFFu) != FALSE;
}

// ---- Window procedures ----------------------------------------------------------------------

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  AttachOnCreate(hwnd, msg, lParam);
  if (MainWindow* self = FromWindow(hwnd); self && self->form_) return self->Handle(hwnd, msg, wParam, lParam);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MainWindow::OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  AttachOnCreate(hwnd, msg, lParam);
  if (MainWindow* self = FromWindow(hwnd); self && self->form_) return self->HandleOwner(hwnd, msg, wParam, lParam);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT MainWindow::HandleOwner(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Minimising the application hides the main window to the tray.
  if (msg == WM_SIZE && wParam == SIZE_MINIMIZED && minimizeHandler_) {
    Minimize();
    return 0;
  }
  if (msg == WM_QUERYENDSESSION) return 1;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT MainWindow::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TKWForm& f = *form_;
  if (msg == tovr::ProcessFigureMessage()) return tovr::ReadProcessFigure(wParam);
  switch (msg) {
    case kShowRequestMessage:
      f.Dispatch("OnShowRequest", [&f] { f.OnShowRequest(); });
      return 0;
    case WM_COMMAND:
      if (menu_ && menu_->OnCommand(wParam, lParam)) return 0;
      if (transparencyPage_ && transparencyPage_->OnCommand(wParam, lParam)) return 0;
      if (binder_ && binder_->OnCommand(wParam, lParam)) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (shortcutPage_ && shortcutPage_->OnNotify(lParam, result)) return result;
      if (startupPage_ && startupPage_->OnNotify(lParam, result)) return result;
      if (wallpaperPage_ && wallpaperPage_->OnNotify(lParam, result)) return result;
      if (binder_ && binder_->OnNotify(lParam, result)) return result;
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (binder_ && binder_->OnScroll(wParam, lParam)) return 0;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      if (control && control == UrlPanelWindow()) SetTextColor(dc, RGB(0, 128, 0));
      if (binder_ && msg == WM_CTLCOLORSTATIC) {
        if (HBRUSH brush = binder_->OnCtlColorStatic(dc, control)) return reinterpret_cast<LRESULT>(brush);
      }
      if (HBRUSH brush = PageBackground(dc, control)) return reinterpret_cast<LRESULT>(brush);
      break;
    }
    case WM_SETCURSOR:
      if (iconPage_ && iconPage_->OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
      break;
    case WM_TIMER:
      if (timers_ && timers_->OnTimer(wParam)) return 0;
      break;
    case WM_DRAWITEM:
      DrawImageButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case kMakeControlsMessage:
      AttachLaterIcons();
      EnsureControls();
      return 0;
    case WM_DISPLAYCHANGE:
      f.Dispatch("OnDisplayChanged", [&f] { f.OnDisplayChanged(); });
      break;
    case WM_DPICHANGED:
      ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintSidePanel(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE: {
      bool allow = false;
      f.Dispatch("OnFormCloseRequested", [&] { allow = f.OnFormCloseRequested(); });
      if (allow) DestroyWindow(hwnd);
      return 0;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && minimizeHandler_) {
        Minimize();
        return 0;
      }
      break;
    case WM_QUERYENDSESSION: {
      LRESULT answer = 1;
      f.Dispatch("FormQueryEndSession", [&] { answer = f.QueryEndSession(); });
      return answer;
    }
    case WM_ENDSESSION:
      if (wParam) {
        // The session ends now: the icon goes, nothing is saved.
        tray_.reset();
        ExitProcess(0);
      }
      return 0;
    case WM_ACTIVATE:
      // Keyboard focus returns to the control that had it when the window was left.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) savedFocus_ = focus;
      } else if (savedFocus_ && IsWindow(savedFocus_) && IsChild(hwnd, savedFocus_)) {
        SetFocus(savedFocus_);
        return 0;
      }
      break;
    case WM_DROPFILES: {
      // Every path whole (no fixed buffer), then the drop is released before the tools run.
      auto drop = reinterpret_cast<HDROP>(wParam);
      std::vector<std::string> paths;
      const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        paths.push_back(Narrow(path));
      }
      DragFinish(drop);
      if (onFilesDropped) f.Dispatch("OnFormFilesDropped", [&] { onFilesDropped(paths); });
      return 0;
    }
    case WM_HOTKEY:  // the menu's hotkey: the tray menu at the pointer, as a right click opens it
      if (wParam == kMenuHotKeyId) tray_->PopupTrayMenu();
      return 0;
    case WM_DESTROY:
      UnregisterHotKey(hwnd, kMenuHotKeyId);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tovr::app::win32
