#include "controls/ListBox.h"

namespace tovr::controls {

void ListBox::SetLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  index_ = -1;
  Notify();
}

void ListBox::SetItemIndex(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) index = -1;
  if (index == index_) return;
  index_ = index;
  Notify();
}

void ListBox::UserClick(int index) {
  if (!Enabled()) return;
  SetItemIndex(index);
  Fire(OnClick);
}

}  // namespace tovr::controls
