// The preview wallpaperPreview as a window of its own: it follows the page's PicturePreview model, decodes
// the picture when it is next painted (so a burst of selection changes decodes only the last
// one), draws it centred in the box and turns a double-click into the model's UserDblClick.
#pragma once

#include <windows.h>

#include <string>

#include "controls/win32/ActionGuard.h"
#include "controls/win32/UniqueHandle.h"
#include "wallpaper/PicturePreview.h"

namespace tovr::wallpaper::win32 {

class PreviewView {
 public:
  static constexpr wchar_t kClassName[] = L"TovrPicturePreview";

  PreviewView(HWND parent, PicturePreview& model, int id, const RECT& rect, COLORREF background);
  ~PreviewView();
  PreviewView(const PreviewView&) = delete;
  PreviewView& operator=(const PreviewView&) = delete;

  HWND Handle() const { return hwnd_; }
  void SetGuard(controls::win32::ActionGuard guard) { guard_ = std::move(guard); }
  // The picture the box shows now (decoded on demand), or null for an empty box.
  HBITMAP Picture();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);

  HWND hwnd_ = nullptr;
  PicturePreview& model_;
  COLORREF background_;
  controls::win32::ActionGuard guard_;
  controls::win32::UniqueBitmap picture_;
  std::string decoded_;   // the path picture_ shows
  bool decodeDone_ = false;
};

}  // namespace tovr::wallpaper::win32
