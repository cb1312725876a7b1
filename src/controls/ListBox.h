#pragma once

#include <string>
#include <vector>

#include "controls/Control.h"

namespace tovr::controls {

// A list of text lines with at most one selected line (ItemIndex -1: none). New lines select
// none. Only the user's click on a line runs OnClick; the program's SetItemIndex does not.
class ListBox : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& Lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines);
  int ItemIndex() const { return index_; }
  // The selected line's text; empty without a selection.
  std::string SelectedLine() const { return index_ < 0 ? std::string() : lines_[static_cast<std::size_t>(index_)]; }
  void SetItemIndex(int index);  // outside the lines: none
  void UserClick(int index);     // the view calls this when the user selects a line
  std::function<void()> OnClick;

 private:
  std::vector<std::string> lines_;
  int index_ = -1;
};

}  // namespace tovr::controls
