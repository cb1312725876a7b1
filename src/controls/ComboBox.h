#pragma once

#include <vector>

#include "controls/Control.h"

namespace tovr::controls {

// A drop-down list. ItemIndex -1 means no item is selected; any index outside the items
// selects none. The caption is what the list shows while nothing is selected ("[ 无 ]").
// Only the user's selection runs OnChange; the program's SetItemIndex does not.
class ComboBox : public Control {
 public:
  ComboBox(std::string name, std::vector<std::string> items, std::string caption = {})
      : Control(std::move(name), std::move(caption)), items_(std::move(items)) {}
  const std::vector<std::string>& Items() const { return items_; }
  int ItemIndex() const { return index_; }
  void SetItemIndex(int index);
  void UserSelect(int index);
  std::function<void()> OnChange;

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

}  // namespace tovr::controls
