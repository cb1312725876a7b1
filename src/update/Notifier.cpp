#include "update/Notifier.h"

namespace tovr::update {

Notifier::Notifier(INotifierWindow& window) : window_(window) {
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer2.OnTimer = [this] { Timer2Timer(); };
  sb.OnClick = [this] { sbClick(); };
}

void Notifier::Show(int step) {
  const NotifierMetrics m = window_.Metrics();
  Label6.SetCaption(kRunningVersion);
  screenHeight_ = m.screenHeight;
  slideY = m.screenHeight;
  slideTarget = m.screenHeight - m.windowHeight;
  left = m.screenWidth - m.windowWidth;
  pauseTicks = 0;
  slideStep = step;
  Timer2.SetEnabled(false);
  window_.Open(left, slideY);
  shown_ = true;
  Timer1.SetEnabled(true);
}

void Notifier::Timer1Timer() {
  if (slideY >= slideTarget && screenHeight_ >= slideY) {
    slideY += slideStep;
    window_.Place(left, slideY);
    return;
  }
  Timer1.SetEnabled(false);
  if (slideStep < 0) {
    Timer2.SetEnabled(true);
  } else {
    Close();
  }
}

void Notifier::Timer2Timer() {
  window_.Place(left, slideY);
  if (++pauseTicks <= 5) return;
  Timer2.SetEnabled(false);
  slideY = slideTarget;
  window_.Place(left, slideY);
  slideStep = -slideStep;
  Timer1.SetEnabled(true);
}

void Notifier::sbClick() {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  if (Panel1.Color() == kClInfoBk && onDownload) onDownload();
  Close();
}

void Notifier::Close() {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  shown_ = false;
  window_.Close();
}

}  // namespace tovr::update
