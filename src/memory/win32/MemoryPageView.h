// The memory page's own windows: its five gauges (GaugeView), each placed on the page like a
// control of the binder; the labels, sliders and defragmentNowButton are plain controls that the main
// window binds. The view also gives the page its message pump, the step of a run with the tab
// visible.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "controls/PageControl.h"
#include "controls/win32/ControlBinder.h"
#include "memory/MemoryPage.h"
#include "memory/win32/GaugeView.h"

namespace tovr::memory::win32 {

class MemoryPageView {
 public:
  struct Place {
    RECT rect;  // in the parent's client coordinates
    int id;
  };
  // `placeOf` gives each gauge's place by its name.
  MemoryPageView(HWND parent, MemoryPage& page, controls::win32::ControlBinder& binder, controls::PageControl& pages,
                 int pageIndex, HFONT font, const std::function<Place(const std::string& name)>& placeOf);
  ~MemoryPageView();
  MemoryPageView(const MemoryPageView&) = delete;
  MemoryPageView& operator=(const MemoryPageView&) = delete;

  // Dispatches every message waiting in this thread's queue. A WM_QUIT is put back for the
  // message loop.
  static void ProcessPendingMessages();

 private:
  MemoryPage& page_;
  std::array<std::unique_ptr<GaugeView>, 5> gauges_;
};

}  // namespace tovr::memory::win32
