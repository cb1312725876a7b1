#include "wallpaper/win32/PreviewView.h"

#include "wallpaper/win32/PreviewDecoder.h"

namespace tovr::wallpaper::win32 {

namespace {

void RegisterOnce(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, PreviewView::kClassName, &wc)) return;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = PreviewView::kClassName;
  RegisterClassExW(&wc);
}

}  // namespace

PreviewView::PreviewView(HWND parent, PicturePreview& model, int id, const RECT& rect, COLORREF background)
    : model_(model), background_(background) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterOnce(instance, &PreviewView::WindowProc);
  hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                          nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  model_.Changed = [this] {
    if (model_.Picture() != decoded_ || !decodeDone_) {
      decodeDone_ = false;
      InvalidateRect(hwnd_, nullptr, TRUE);
    }
  };
}

PreviewView::~PreviewView() {
  model_.Changed = nullptr;
  if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

HBITMAP PreviewView::Picture() {
  if (!decodeDone_ || decoded_ != model_.Picture()) {
    RECT box{};
    GetClientRect(hwnd_, &box);
    decoded_ = model_.Picture();
    picture_ = DecodePreview(decoded_, box.right, box.bottom, background_);
    decodeDone_ = true;
  }
  return picture_.get();
}

void PreviewView::Paint(HDC dc) {
  RECT box{};
  GetClientRect(hwnd_, &box);
  HBRUSH brush = CreateSolidBrush(background_);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
  HBITMAP picture = Picture();
  if (!picture) return;
  BITMAP bm{};
  GetObjectW(picture, sizeof bm, &bm);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, picture);
  BitBlt(dc, (box.right - bm.bmWidth) / 2, (box.bottom - bm.bmHeight) / 2, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

LRESULT CALLBACK PreviewView::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PreviewView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) {
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        self->Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;  // painted whole by WM_PAINT
      case WM_LBUTTONDBLCLK:
        controls::win32::RunGuarded(self->guard_, "OnWallpaperPreviewDoubleClicked",
                                    [self] { self->model_.UserDblClick(); });
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tovr::wallpaper::win32
