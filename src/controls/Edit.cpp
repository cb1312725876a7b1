#include "controls/Edit.h"

namespace tovr::controls {

void Edit::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Notify();
  Fire(OnChange);
}

void ColorPanel::SetColor(unsigned color) {
  if (color == color_) return;
  color_ = color;
  Notify();
}

}  // namespace tovr::controls
