// The new-version notifier TFormCHVer as the logic sees it: its labels, button and panel
// colour, its slide timer Timer1 (20 ms) and pause timer Timer2 (1000 ms), and the motion: up
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

  // Label6 shows the running version; the window starts just below the screen, flush with its
  // right edge, and rises by `step` (negative) pixels per tick of Timer1.
  void Show(int step);
  void Timer1Timer();  // slide tick
  void Timer2Timer();  // pause tick
  // Stops both timers; with the tooltip-coloured panel (a new release) runs `onDownload`; closes.
  void sbClick();
  bool Shown() const { return shown_; }

  controls::ColorPanel Panel1{"Panel1", kClInfoBk};
  controls::Label Label1{"Label1", "Tovrane发现新版本!"};
  controls::Label Label3{"Label3", "当前版本："};
  controls::Label Label4{"Label4", "最新版本："};
  controls::Label Label5{"Label5", "更新日期："};
  controls::Label Label6{"Label6", "?.??"};
  controls::Label Label7{"Label7", "?.??"};
  controls::Label Label8{"Label8", "?\?\?\?-?\?-?\?"};  // "????-??-??" (no trigraphs)
  controls::Button sb{"sb", "立即下载"};
  controls::Timer Timer1{"Timer1", 20, false};
  controls::Timer Timer2{"Timer2", 1000, false};
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
