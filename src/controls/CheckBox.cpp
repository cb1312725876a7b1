#include "controls/CheckBox.h"

#include <algorithm>

namespace tovr::controls {

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Notify();
  Fire(OnClick);
}

RadioButton::RadioButton(std::string name, std::string caption, RadioGroup& group, int tag)
    : Control(std::move(name), std::move(caption)), group_(group), tag_(tag) {
  group_.Add(this);
}

RadioButton::~RadioButton() {
  auto& buttons = group_.buttons_;
  buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
}

void RadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked) {
    // The others go off before anyone hears of the change, so no observer sees two ticks.
    for (RadioButton* other : group_.buttons_) {
      if (other != this && other->checked_) {
        other->checked_ = false;
        other->Notify();
      }
    }
  }
  Notify();
  if (checked) Fire(OnClick);
}

void RadioGroup::Add(RadioButton* button) {
  if (!button || std::find(buttons_.begin(), buttons_.end(), button) != buttons_.end()) return;
  buttons_.push_back(button);
}

int RadioGroup::CheckedIndex() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->Checked()) return static_cast<int>(i);
  }
  return -1;
}

RadioButton* RadioGroup::WithTag(int tag) const {
  for (RadioButton* button : buttons_) {
    if (button->Tag() == tag) return button;
  }
  return nullptr;
}

}  // namespace tovr::controls
