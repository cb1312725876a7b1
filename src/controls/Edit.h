#pragma once

#include "controls/Control.h"

namespace tovr::controls {

// A text field. A new text runs OnChange, whether the user or the program set it.
class Edit : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  void UserSetText(std::string text) { if (Enabled()) SetText(std::move(text)); }
  std::function<void()> OnChange;

 private:
  std::string text_;
};

// A static caption; a label's text is its Caption().
class Label : public Control {
 public:
  using Control::Control;
};

// A panel that shows a colour (32-bit, red in the low byte). A click on it runs OnClick.
class ColorPanel : public Control {
 public:
  ColorPanel(std::string name, unsigned color, std::string caption = {})
      : Control(std::move(name), std::move(caption)), color_(color) {}
  unsigned Color() const { return color_; }
  void SetColor(unsigned color);
  void UserClick() { if (Enabled()) Fire(OnClick); }
  std::function<void()> OnClick;

 private:
  unsigned color_;
};

// A push button or image button: only a click.
class Button : public Control {
 public:
  using Control::Control;
  void UserClick() { if (Enabled()) Fire(OnClick); }
  std::function<void()> OnClick;
};

}  // namespace tovr::controls
