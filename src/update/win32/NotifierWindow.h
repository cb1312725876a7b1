// The new-version notifier's window, class "TFormCHVer": a borderless pop-up of 202 x 153
// client pixels at 96 DPI (scaled by the DPI of the window, GetDpiForWindow where the system
// has it), owned by the application's hidden owner window so that it has no taskbar button,
// with alpha 240. It mirrors the Notifier's models: the panel colour with its lowered bevel,
// the program's icon, the labels, the flat button downloadButton (a glyph and blue text) and the two
// timers. It is created at the first Metrics() and kept; its handlers run through the form's
// guard as "FormCHVer.<handler>", apart from the main window's handlers of the same names.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/win32/ActionGuard.h"
#include "controls/win32/UniqueHandle.h"
#include "update/Notifier.h"

namespace tovr::controls::win32 {
class ControlBinder;
class TimerBinder;
}

namespace tovr::update::win32 {

class NotifierWindow final : public INotifierWindow {
 public:
  static constexpr wchar_t kClassName[] = L"TFormCHVer";
  static constexpr int kClientWidth = 202, kClientHeight = 153;

  explicit NotifierWindow(HINSTANCE instance);
  ~NotifierWindow() override;
  NotifierWindow(const NotifierWindow&) = delete;
  NotifierWindow& operator=(const NotifierWindow&) = delete;

  // The models, the application's owner window, the main window (made normal while the
  // notifier shows) and the icon iconImage shows. Without them the window is not made.
  void Attach(Notifier& model, HWND owner, HWND mainWindow, HICON icon, controls::win32::ActionGuard guard);
  // Destroys the window and lets go of the models.
  void Detach();
  HWND Handle() const { return hwnd_; }

  NotifierMetrics Metrics() override;
  void Open(int left, int top) override;
  void Place(int left, int top) override;
  void Close() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool Create();
  void Layout(int dpi);  // the controls and the font for a DPI
  int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  void PanelChanged();
  void Paint(HDC dc);
  void DrawButton(const DRAWITEMSTRUCT& item);

  HINSTANCE instance_;
  Notifier* model_ = nullptr;
  HWND owner_ = nullptr;
  HWND main_ = nullptr;
  HICON icon_ = nullptr;
  controls::win32::ActionGuard guard_;
  HWND hwnd_ = nullptr;
  int dpi_ = 0;
  controls::win32::UniqueHandle<HFONT, &DeleteObject> font_;
  controls::win32::UniqueBrush panelBrush_;
  std::unique_ptr<controls::win32::ControlBinder> binder_;
  std::unique_ptr<controls::win32::TimerBinder> timers_;
};

}  // namespace tovr::update::win32
