#include "update/win32/NotifierWindow.h"

#include <string>
#include <vector>

#include "controls/win32/ControlBinder.h"
#include "controls/win32/TimerBinder.h"
#include "platform/win32/WindowAlpha.h"

namespace tovr::update::win32 {

namespace {

constexpr COLORREF kButtonText = RGB(0, 0, 255);
constexpr COLORREF kGlyphColor = RGB(0, 128, 0);
constexpr int kButtonId = 100;

// Design places at 96 DPI: left, top, width, height.
struct DesignRect {
  int x, y, w, h;
};
constexpr DesignRect kIconImageRect{10, 10, 32, 32};
constexpr DesignRect kDownloadButtonRect{72, 120, 73, 22};

UINT WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && hwnd) {
    if (const UINT dpi = getDpiForWindow(hwnd)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

NotifierWindow* FromWindow(HWND hwnd) {
  return reinterpret_cast<NotifierWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

NotifierWindow::NotifierWindow(HINSTANCE instance) : instance_(instance) {}

NotifierWindow::~NotifierWindow() { Detach(); }

void NotifierWindow::Attach(Notifier& model, HWND owner, HWND mainWindow, HICON icon,
                            controls::win32::ActionGuard guard) {
  Detach();
  model_ = &model;
  owner_ = owner;
  main_ = mainWindow;
  icon_ = icon;
  guard_ = [guard = std::move(guard)](const std::string& handler, const std::function<void()>& action) {
    controls::win32::RunGuarded(guard, "FormCHVer." + handler, action);
  };
}

void NotifierWindow::Detach() {
  timers_.reset();
  binder_.reset();
  if (model_) model_->notifierPanel.Changed = nullptr;
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  model_ = nullptr;
  dpi_ = 0;
}

bool NotifierWindow::Create() {
  if (hwnd_) return true;
  if (!model_) return false;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpfnWndProc = &NotifierWindow::WindowProc;
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Tovrane", WS_POPUP | WS_CLIPCHILDREN, 0,
                          GetSystemMetrics(SM_CYSCREEN), kClientWidth, kClientHeight, owner_, nullptr, instance_, this);
  if (!hwnd_) return false;
  if (icon_) {
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  }
  timers_ = std::make_unique<controls::win32::TimerBinder>(hwnd_, 1);
  timers_->SetGuard(guard_);
  timers_->Bind(model_->slideTimer);
  timers_->Bind(model_->pauseTimer);
  model_->notifierPanel.Changed = [this] { PanelChanged(); };
  PanelChanged();
  return true;
}

void NotifierWindow::Layout(int dpi) {
  dpi_ = dpi;
  binder_.reset();
  std::vector<HWND> children;
  EnumChildWindows(hwnd_, &CollectWindow, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) DestroyWindow(child);

  // 宋体, 9 points: -12 pixels at 96 DPI.
  font_.reset(CreateFontW(-Scale(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
  SetWindowPos(hwnd_, nullptr, 0, 0, Scale(kClientWidth), Scale(kClientHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  binder_ = std::make_unique<controls::win32::ControlBinder>(hwnd_, font_.get());
  binder_->SetGuard(guard_);
  Notifier& m = *model_;
  const struct {
    controls::Label& label;
    DesignRect place;
  } labels[] = {
      {m.headlineLabel, {60, 20, 138, 14}},
      {m.currentVersionCaptionLabel, {28, 50, 63, 14}},
      {m.latestVersionCaptionLabel, {28, 74, 63, 14}},
      {m.releaseDateCaptionLabel, {28, 98, 63, 14}},
      {m.currentVersionLabel, {91, 50, 105, 14}},
      {m.latestVersionLabel, {91, 74, 105, 14}},
      {m.releaseDateLabel, {91, 98, 105, 14}},
  };
  int id = 1;
  for (const auto& l : labels) {
    const DesignRect& p = l.place;
    binder_->Bind(l.label, id++, RECT{Scale(p.x), Scale(p.y), Scale(p.x + p.w), Scale(p.y + p.h)}, SS_NOPREFIX);
  }
  binder_->Bind(
      m.downloadButton, kButtonId,
      RECT{Scale(kDownloadButtonRect.x), Scale(kDownloadButtonRect.y),
           Scale(kDownloadButtonRect.x + kDownloadButtonRect.w), Scale(kDownloadButtonRect.y + kDownloadButtonRect.h)},
      BS_OWNERDRAW);
}

void NotifierWindow::PanelChanged() {
  if (!model_) return;
  panelBrush_.reset(CreateSolidBrush(controls::win32::ControlBinder::ToColorRef(model_->notifierPanel.Color())));
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

NotifierMetrics NotifierWindow::Metrics() {
  NotifierMetrics m{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), kClientWidth, kClientHeight};
  if (!Create()) return m;
  const int dpi = static_cast<int>(WindowDpi(hwnd_));
  if (dpi != dpi_) Layout(dpi);
  RECT r{};
  GetWindowRect(hwnd_, &r);
  m.windowWidth = r.right - r.left;
  m.windowHeight = r.bottom - r.top;
  return m;
}

void NotifierWindow::Open(int left, int top) {
  if (!Create()) return;
  SetWindowAlpha(hwnd_, kNotifierAlpha);
  if (main_) SetWindowPos(main_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // Shown without taking the focus from what the user is doing.
  SetWindowPos(hwnd_, HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void NotifierWindow::Place(int left, int top) {
  if (hwnd_) SetWindowPos(hwnd_, HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void NotifierWindow::Close() {
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_HIDE);
  SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (main_) SetWindowPos(main_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void NotifierWindow::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, panelBrush_.get());
  // notifierPanel: a lowered outer bevel two pixels wide.
  for (int i = 0; i < 2; ++i) {
    RECT r = client;
    InflateRect(&r, -i, -i);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  }
  if (icon_) {
    DrawIconEx(dc, Scale(kIconImageRect.x), Scale(kIconImageRect.y), icon_, Scale(kIconImageRect.w),
               Scale(kIconImageRect.h), 0, nullptr, DI_NORMAL);
  }
}

// The flat button: the panel's colour, an edge only while pressed, a download glyph (an arrow
// onto a line) and the caption in blue.
void NotifierWindow::DrawButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  FillRect(dc, &r, panelBrush_.get());
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  if (pressed) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  const int shift = pressed ? 1 : 0;
  const int g = Scale(16);
  const int gx = r.left + Scale(4) + shift, gy = r.top + (r.bottom - r.top - g) / 2 + shift;
  auto at = [&](int x, int y) { return POINT{gx + MulDiv(x, g, 16), gy + MulDiv(y, g, 16)}; };
  HBRUSH glyph = CreateSolidBrush(kGlyphColor);
  HGDIOBJ oldBrush = SelectObject(dc, glyph);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  const POINT arrow[] = {at(6, 1), at(10, 1), at(10, 7), at(14, 7), at(8, 13), at(2, 7), at(6, 7)};
  Polygon(dc, arrow, 7);
  const POINT a = at(2, 14), b = at(15, 16);
  const RECT base{a.x, a.y, b.x, b.y};
  FillRect(dc, &base, glyph);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(glyph);

  wchar_t caption[64] = {};
  GetWindowTextW(item.hwndItem, caption, 64);
  RECT text{gx + g + Scale(2), r.top + shift, r.right + shift, r.bottom + shift};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : kButtonText);
  DrawTextW(dc, caption, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

LRESULT CALLBACK NotifierWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (NotifierWindow* self = FromWindow(hwnd); self && self->model_) return self->Handle(hwnd, msg, wParam, lParam);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT NotifierWindow::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      if (timers_ && timers_->OnTimer(wParam)) return 0;
      break;
    case WM_COMMAND:
      if (binder_ && binder_->OnCommand(wParam, lParam)) return 0;
      break;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, controls::win32::ControlBinder::ToColorRef(model_->notifierPanel.Color()));
      return reinterpret_cast<LRESULT>(panelBrush_.get());
    }
    case WM_DRAWITEM:
      DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      return 0;  // it closes by its motion or its button, never on its own
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tovr::update::win32
