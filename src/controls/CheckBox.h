#pragma once

#include <vector>

#include "controls/Control.h"

namespace tovr::controls {

// A check box. Setting a new state from the program runs OnClick exactly as a user's click
// does; setting the state it already has does nothing.
class CheckBox : public Control {
 public:
  using Control::Control;
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void UserClick() { if (Enabled()) SetChecked(!checked_); }  // the view calls this on BN_CLICKED
  std::function<void()> OnClick;

 private:
  bool checked_ = false;
};

// A radio button of a group: ticking one unticks the others of the same group. Ticking runs
// OnClick of the newly ticked button when its state changes; unticking (by the program or by
// ticking another button) runs no handler.
class RadioGroup;
class RadioButton : public Control {
 public:
  // Joins `group`, which must outlive the button (declare the group before its buttons).
  RadioButton(std::string name, std::string caption, RadioGroup& group, int tag = 0);
  ~RadioButton() override;
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void UserClick() { if (Enabled()) SetChecked(true); }
  int Tag() const { return tag_; }
  std::function<void()> OnClick;

 private:
  friend class RadioGroup;
  RadioGroup& group_;
  int tag_;
  bool checked_ = false;
};

class RadioGroup {
 public:
  RadioGroup() = default;
  RadioGroup(const RadioGroup&) = delete;
  RadioGroup& operator=(const RadioGroup&) = delete;

  void Add(RadioButton* button);  // a button joins once; RadioButton's constructor calls this
  const std::vector<RadioButton*>& Buttons() const { return buttons_; }
  int CheckedIndex() const;  // -1 when none is ticked
  RadioButton* WithTag(int tag) const;  // the first button with this tag; null when none has it

 private:
  friend class RadioButton;
  std::vector<RadioButton*> buttons_;
};

}  // namespace tovr::controls
