#include "controls/ComboBox.h"

namespace tovr::controls {

void ComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
  if (index == index_) return;
  index_ = index;
  Notify();
}

void ComboBox::UserSelect(int index) {
  if (!Enabled()) return;
  const int before = index_;
  SetItemIndex(index);
  if (index_ != before) Fire(OnChange);
}

}  // namespace tovr::controls
