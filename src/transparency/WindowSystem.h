// What the transparency rules ask of the window system: the top-level windows in Z order and
// their titles, visibility, cloaking and class names, the main window's own handle, and the one
// request that changes a window: its constant alpha. The Win32 adapter is
// transparency/win32/Win32WindowSystem; tests use tests/fakes/FakeWindowSystem.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovr::transparency {

// A top-level window's handle as the rules keep it; 0 is no window.
using WindowHandle = std::uintptr_t;

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;
  // The program's main window (TKWForm); 0 before it exists.
  virtual WindowHandle MainWindow() = 0;
  // The topmost top-level window of the Z order, seen from the main window; 0 when none.
  virtual WindowHandle FirstWindow() = 0;
  // The next top-level window below `window` in the Z order; 0 after the last.
  virtual WindowHandle NextWindow(WindowHandle window) = 0;
  // Every top-level window, as the system enumerates them (top to bottom).
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  // The window's title as a 255-character buffer reads it (at most 254 characters); empty
  // for a window without one or that has gone.
  virtual std::string Title(WindowHandle window) = 0;
  virtual bool Visible(WindowHandle window) = 0;
  // Cloaked by the desktop window manager (Windows 8 and later): suspended apps and windows on
  // another virtual desktop are visible and titled but not on screen. False where the system
  // cannot tell.
  virtual bool Cloaked(WindowHandle window) = 0;
  // The window's whole class name; empty when it has gone.
  virtual std::string ClassName(WindowHandle window) = 0;
  // Makes the window layered (the style is kept from then on) with this constant alpha,
  // 0..255. Nothing happens where the system has no layered windows or the window has gone.
  // False only when the window refused the change: its program runs with higher rights than
  // this one (as administrator, say).
  virtual bool SetAlpha(WindowHandle window, int alpha) = 0;
};

// The transparency tool's own ports, wired once for the program (app/win32/WinMain.cpp) and once
// for the tests (tests/fakes/FakeToolPorts.h).
struct TransparencySystemPorts {
  IWindowSystem& windows;
};

}  // namespace tovr::transparency
