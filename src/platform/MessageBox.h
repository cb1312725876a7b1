// Modal message boxes, the one way any part of the program speaks to the user. The Win32
// adapter lives in app/win32; tests use a recording fake.
#pragma once

#include <string>

namespace tovr {

// Message box flags and answers, with the values of the system's MB_* and ID* constants.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbOkCancel = 0x1;
inline constexpr unsigned kMbRetryCancel = 0x5;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbIconStop = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbDefButton2 = 0x100;
inline constexpr unsigned kMbSystemModal = 0x1000;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Show blocks until the user answers and returns the ID* of the button pressed; the message
// loop keeps running meanwhile (timers fire).
class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  virtual int Show(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

}  // namespace tovr
