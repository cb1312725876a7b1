// The picture preview wallpaperPreview in the group box "壁纸预览": the path of the picture it shows (empty:
// an empty box). The view decodes and draws it scaled to fit, centred, its aspect kept; a
// double-click on it runs OnDblClick.
#pragma once

#include <string>

#include "controls/Control.h"

namespace tovr::wallpaper {

class PicturePreview : public controls::Control {
 public:
  using Control::Control;
  const std::string& Picture() const { return picture_; }
  void Show(std::string path) {
    if (path == picture_) return;
    picture_ = std::move(path);
    Notify();
  }
  void Clear() { Show({}); }
  void UserDblClick() { if (Enabled()) Fire(OnDblClick); }
  std::function<void()> OnDblClick;

 private:
  std::string picture_;
};

}  // namespace tovr::wallpaper
