// What the quick actions ask of Windows: the shell's "start this", the screen saver's state,
// a message to the desktop window and the multimedia command strings. The Win32 adapter lives
// in tweaks/win32; tests use tests/fakes/FakeQuickShell.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tovr::tweaks {

// Show commands and messages, with the system's values.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowDefault = 10;
inline constexpr unsigned kWmSysCommand = 0x112;
inline constexpr std::uintptr_t kScScreenSave = 0xF140;

class IQuickShell {
 public:
  virtual ~IQuickShell() = default;
  // ShellExecute with no owner window: `verb` empty is the default action; empty parameters
  // and folder are none. Failures are not reported (the shell shows its own where it has one).
  virtual void Execute(const std::string& verb, const std::string& file,
                       const std::string& parameters, const std::string& directory,
                       int show) = 0;
  // SystemParametersInfo(SPI_GETSCREENSAVEACTIVE): whether a screen saver is set; nullopt when
  // the call fails.
  virtual std::optional<bool> ScreenSaverActive() = 0;
  // PostMessage to the desktop window (GetDesktopWindow).
  virtual void PostToDesktop(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // mciSendString(command) with no return buffer and the main window as callback window.
  // Returns at once: a command may wait for the drive ("... wait"), so the commands run one
  // after another, in order, away from the window's thread. Errors are ignored.
  virtual void SendMciCommand(const std::string& command) = 0;
};

// The quick actions' own ports, wired once for the program (app/win32/WinMain.cpp) and once for
// the tests (tests/fakes/FakeToolPorts.h).
struct TweaksSystemPorts {
  IQuickShell& quickShell;
};

}  // namespace tovr::tweaks
