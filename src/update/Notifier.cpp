#include "update/Notifier.h"

namespace tovr::update {

Notifier::Notifier(INotifierWindow& window) : window_(window) {
  slideTimer.OnTimer = [this] { OnSlideTimer(); };
  pauseTimer.OnTimer = [this] { OnPauseTimer(); };
  downloadButton.OnClick = [this] { OnDownloadButtonClicked(); };
}

void Notifier::Show(int step) {
  const NotifierMetrics m = window_.Metrics();
  currentVersionLabel.SetCaption(kRunningVersion);
  screenHeight_ = m.screenHeight;
  slideY = m.screenHeight;
  slideTarget = m.screenHeight - m.windowHeight;
  left = m.screenWidth - m.windowWidth;
  pauseTicks = 0;
  slideStep = step;
  pauseTimer.SetEnabled(false);
  window_.Open(left, slideY);
  shown_ = true;
  slideTimer.SetEnabled(true);
}

void Notifier::OnSlideTimer() {
  if (slideY >= slideTarget && screenHeight_ >= slideY) {
    slideY += slideStep;
    window_.Place(left, slideY);
    return;
  }
  slideTimer.SetEnabled(false);
  if (slideStep < 0) {
    pauseTimer.SetEnabled(true);
  } else {
    Close();
  }
}

void Notifier::OnPauseTimer() {
  window_.Place(left, slideY);
  if (++pauseTicks <= 5) return;
  pauseTimer.SetEnabled(false);
  slideY = slideTarget;
  window_.Place(left, slideY);
  slideStep = -slideStep;
  slideTimer.SetEnabled(true);
}

void Notifier::OnDownloadButtonClicked() {
  slideTimer.SetEnabled(false);
  pauseTimer.SetEnabled(false);
  if (notifierPanel.Color() == kClInfoBk && onDownload) onDownload();
  Close();
}

void Notifier::Close() {
  slideTimer.SetEnabled(false);
  pauseTimer.SetEnabled(false);
  shown_ = false;
  window_.Close();
}

}  // namespace tovr::update
