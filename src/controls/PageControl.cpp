#include "controls/PageControl.h"

namespace tovr::controls {

PageControl::PageControl(std::string name, std::vector<Page> pages)
    : Control(std::move(name)), pages_(std::move(pages)), active_(pages_.empty() ? -1 : 0), pending_(active_) {}

const std::string& PageControl::ActiveName() const {
  static const std::string none;
  return active_ < 0 ? none : pages_[static_cast<std::size_t>(active_)].name;
}

int PageControl::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

void PageControl::SetActivePage(const std::string& name) {
  const int index = IndexOf(name);
  if (index >= 0) SetActiveIndex(index);
}

void PageControl::RunPageHandler(int index, bool show) {
  // A copy: a handler may replace the page's handlers while it runs.
  const auto& page = pages_[static_cast<std::size_t>(index)];
  const std::function<void()> handler = show ? page.OnShow : page.OnHide;
  if (handler) handler();
}

void PageControl::SetActiveIndex(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  pending_ = index;
  // A selection made by a page's OnHide/OnShow is taken up after the running switch, so every
  // page shown is later hidden exactly once and the handlers never interleave.
  if (switching_) return;
  struct Reset {
    PageControl& pc;
    ~Reset() {
      pc.switching_ = false;
      pc.pending_ = pc.active_;
    }
  } reset{*this};
  switching_ = true;
  while (pending_ != active_) {
    const int old = active_;
    active_ = pending_;
    Notify();
    if (showing_) {
      RunPageHandler(old, false);
      RunPageHandler(active_, true);
    }
  }
}

void PageControl::UserSelect(int index) {
  if (!Enabled() || switching_) return;
  const int before = active_;
  SetActiveIndex(index);
  if (active_ != before) Fire(OnChange);
}

void PageControl::SetShowing(bool showing) {
  if (showing == showing_) return;
  showing_ = showing;
  if (active_ >= 0) RunPageHandler(active_, showing);
}

}  // namespace tovr::controls
