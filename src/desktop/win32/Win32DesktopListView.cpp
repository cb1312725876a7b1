#include "desktop/win32/Win32DesktopListView.h"

#include <commctrl.h>

#include "desktop/win32/RemoteListItems.h"

namespace tovr::desktop::win32 {

namespace {

// A shell that does not answer must not hang the tray: a message to a hung shell is dropped.
constexpr UINT kSendTimeoutMs = 2000;
// The periodic colour check waits far less: a busy shell only skips a tick.
constexpr UINT kReadTimeoutMs = 200;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!window) return 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return 0;
  return static_cast<LRESULT>(result);
}

HWND ListViewUnder(HWND host) {
  if (!host) return nullptr;
  HWND view = FindWindowExW(host, nullptr, L"SHELLDLL_DefView", nullptr);
  return view ? FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
}

}  // namespace

HWND FindDesktopListView() {
  if (HWND list = ListViewUnder(FindWindowW(L"Progman", nullptr))) return list;
  for (HWND worker = FindWindowExW(nullptr, nullptr, L"WorkerW", nullptr); worker;
       worker = FindWindowExW(nullptr, worker, L"WorkerW", nullptr)) {
    if (HWND list = ListViewUnder(worker)) return list;
  }
  return nullptr;
}

int Win32DesktopListView::ItemCount() {
  return static_cast<int>(Send(FindDesktopListView(), LVM_GETITEMCOUNT, 0, 0));
}

bool Win32DesktopListView::MoveItems(std::span<const IconPlacement> placements) {
  HWND list = FindDesktopListView();
  if (!list) return false;
  for (const IconPlacement& p : placements) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(list, LVM_SETITEMPOSITION, static_cast<WPARAM>(p.item),
                             static_cast<LPARAM>(PackPosition(p.x, p.y)), SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
      return false;  // a shell that stopped answering is not waited for once per icon
    }
  }
  return true;
}

IDesktopListView::Items Win32DesktopListView::ReadItems() {
  return ReadRemoteListItems(FindDesktopListView(), kSendTimeoutMs);
}

std::optional<bool> Win32DesktopListView::AutoArranged() {
  HWND list = FindDesktopListView();
  if (!list) return std::nullopt;
  return (GetWindowLongPtrW(list, GWL_STYLE) & LVS_AUTOARRANGE) != 0;
}

IDesktopListView::Size Win32DesktopListView::DesktopSize() {
  return Size{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void Win32DesktopListView::SetTextColours(std::uint32_t text, std::uint32_t background) {
  HWND list = FindDesktopListView();
  Send(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
  Send(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
}

std::optional<IDesktopListView::Colours> Win32DesktopListView::TextColours() {
  HWND list = FindDesktopListView();
  DWORD_PTR text = 0, background = 0;
  if (!list || !SendMessageTimeoutW(list, LVM_GETTEXTCOLOR, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs, &text) ||
      !SendMessageTimeoutW(list, LVM_GETTEXTBKCOLOR, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs, &background)) {
    return std::nullopt;
  }
  return Colours{static_cast<std::uint32_t>(text), static_cast<std::uint32_t>(background)};
}

void Win32DesktopListView::RedrawItems(int first, int last) {
  Send(FindDesktopListView(), LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
}

std::optional<bool> Win32DesktopListView::Visible() {
  HWND list = FindDesktopListView();
  if (!list) return std::nullopt;
  return IsWindowVisible(list) != FALSE;
}

void Win32DesktopListView::Show(bool visible) {
  if (HWND list = FindDesktopListView()) ShowWindow(list, visible ? SW_SHOWNORMAL : SW_HIDE);
}

int Win32DesktopListView::Dpi() {
  // The desktop window's own DPI where the system knows it per window (Windows 10 1607 and
  // later), else the screen's.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (HWND list = FindDesktopListView(); list && getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(list)) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

WorkArea Win32DesktopListView::PrimaryWorkArea() {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
    r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  // Item positions are the list view's client coordinates, which start at the left and top of
  // the whole desktop: a screen left of or above the primary one moves the primary's origin.
  if (HWND list = FindDesktopListView()) MapWindowPoints(HWND_DESKTOP, list, reinterpret_cast<POINT*>(&r), 2);
  return WorkArea{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace tovr::desktop::win32
