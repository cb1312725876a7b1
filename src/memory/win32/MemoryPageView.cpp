#include "memory/win32/MemoryPageView.h"

namespace tovr::memory::win32 {

MemoryPageView::MemoryPageView(HWND parent, MemoryPage& page, controls::win32::ControlBinder& binder,
                               controls::PageControl& pages, int pageIndex, HFONT font,
                               const std::function<Place(const std::string& name)>& placeOf)
    : page_(page) {
  Gauge* const gauges[] = {&page.cpuUsageGauge, &page.freePhysicalMemoryGauge, &page.freePageFileGauge,
                           &page.freeVirtualMemoryGauge, &page.defragmentProgressGauge};
  for (std::size_t i = 0; i < gauges_.size(); ++i) {
    const Place place = placeOf(gauges[i]->Name());
    gauges_[i] = std::make_unique<GaugeView>(parent, *gauges[i], place.id, place.rect, font);
    if (HWND gauge = gauges_[i]->Handle()) {
      binder.Adopt(*gauges[i], gauge);
      binder.PlaceIn(gauge, pages, pageIndex);
    }
  }
  page_.ProcessMessages = &MemoryPageView::ProcessPendingMessages;
}

MemoryPageView::~MemoryPageView() { page_.ProcessMessages = nullptr; }

void MemoryPageView::ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace tovr::memory::win32
