// The window system of the transparency rules on Win32: the Z-order walk with GetWindow, the
// enumeration with EnumWindows, titles read with GetWindowText into 255 characters, class names
// whole, cloaking from DwmGetWindowAttribute (looked up at run time), and SetWindowAlpha.
#pragma once

#include <windows.h>

#include "transparency/WindowSystem.h"

namespace tovr::transparency::win32 {

class Win32WindowSystem final : public IWindowSystem {
 public:
  HWND mainWindow = nullptr;  // set by the composition root once the main window exists

  WindowHandle MainWindow() override { return Handle(mainWindow); }
  WindowHandle FirstWindow() override;
  WindowHandle NextWindow(WindowHandle window) override;
  std::vector<WindowHandle> TopLevelWindows() override;
  std::string Title(WindowHandle window) override;
  bool Visible(WindowHandle window) override;
  bool Cloaked(WindowHandle window) override;
  std::string ClassName(WindowHandle window) override;
  bool SetAlpha(WindowHandle window, int alpha) override;

  static WindowHandle Handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }
  static HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
};

}  // namespace tovr::transparency::win32
