// The new-version notifier TFormCHVer as the logic sees it: its labels, button and panel
// colour, its slide timer slideTimer (20 ms) and pause timer pauseTimer (1000 ms), and the motion: up
// from below the bottom edge of the primary screen at its right end, six seconds at the top,
// down again and closed. The window itself (update/win32/NotifierWindow) is reached through
// INotifierWindow and mirrors the models.
#pragma once

#include <cstdint>
#include <functional>

#include "TovrVersion.h"
#include "controls/Control.h"
#include "controls/Edit.h"
#include "controls/Timer.h"

namespace tovr::update {

inline constexpr std::uint32_t kClInfoBk = 0x80000018;  // the tooltip background system colour
inline constexpr std::uint32_t kSilver = 0xC0C0C0;
inline constexpr char kRunningVersion[] = " " TOVR_VERSION_TEXT " 测试版";  // the notifier's "当前版本"
inline constexpr int kNotifierAlpha = 240;

// Sizes in pixels: the whole primary screen and the notifier's window (scaled for the DPI).
struct NotifierMetrics {
  int screenWidth = 0, screenHeight = 0;
  int windowWidth = 0, windowHeight = 0;
};

class INotifierWindow {
 public:
  virtual ~INotifierWindow() = default;
  // Creates the window on the first call (it is kept for every later check) and measures.
  virtual NotifierMetrics Metrics() = 0;
  // Alpha 240; the notifier topmost and the main window a normal window; at (left, top), shown
  // without taking the focus.
  virtual void Open(int left, int top) = 0;
  // Moves it to (left, top), keeping its size, topmost and shown.
  virtual void Place(int left, int top) = 0;
  // Hidden, a normal window again, and the main window topmost again.
  virtual void Close() = 0;
};

class Notifier {
 public:
  explicit Notifier(INotifierWindow& window);
  Notifier(const Notifier&) = delete;
  Notifier& operator=(const Notifier&) = delete;

  // currentVersionLabel shows the running version; the window starts just below the screen, flush with its
  // right edge, and rises by `step` (negative) pixels per tick of slideTimer.
  void Show(int step);
  void OnSlideTimer();  // slide tick
  void OnPauseTimer();  // pause tick
  // Stops both timers; with the tooltip-coloured panel (a new release) runs `onDownload`; closes.
  void OnDownloadButtonClicked();
  bool Shown() const { return shown_; }

  controls::ColorPanel notifierPanel{"notifierPanel", kClInfoBk};
  controls::Label headlineLabel{"headlineLabel", "Tovrane发现新版本!"};
  controls::Label currentVersionCaptionLabel{"currentVersionCaptionLabel", "当前版本："};
  controls::Label latestVersionCaptionLabel{"latestVersionCaptionLabel", "最新版本："};
  controls::Label releaseDateCaptionLabel{"releaseDateCaptionLabel", "更新日期："};
  controls::Label currentVersionLabel{"currentVersionLabel", "?.??"};
  controls::Label latestVersionLabel{"latestVersionLabel", "?.??"};
  controls::Label releaseDateLabel{"releaseDateLabel", "?\?\?\?-?\?-?\?"};  // "????-??-??" (no trigraphs)
  controls::Button downloadButton{"downloadButton", "立即下载"};
  controls::Timer slideTimer{"slideTimer", 20, false};
  controls::Timer pauseTimer{"pauseTimer", 1000, false};
  std::function<void()> onDownload;  // the main window's "下载新版本"

  int slideStep = 0;
  int slideY = 0;
  int slideTarget = 0;
  int pauseTicks = 0;
  int left = 0;

 private:
  void Close();

  INotifierWindow& window_;
  int screenHeight_ = 0;
  bool shown_ = false;
};

}  // namespace tovr::update
