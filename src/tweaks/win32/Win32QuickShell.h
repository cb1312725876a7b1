// IQuickShell on ShellExecuteW, SystemParametersInfoW, PostMessageW and mciSendStringW. The
// multimedia commands run on a worker thread of their own (CommandQueue): "Set cdaudio door
// open wait" returns only when the door has opened, which on a real drive takes seconds.
#pragma once

#include <windows.h>

#include "tweaks/QuickShell.h"
#include "tweaks/win32/CommandQueue.h"

namespace tovr::tweaks::win32 {

class Win32QuickShell final : public IQuickShell {
 public:
  void Execute(const std::string& verb, const std::string& file, const std::string& parameters,
               const std::string& directory, int show) override;
  std::optional<bool> ScreenSaverActive() override;
  void PostToDesktop(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void SendMciCommand(const std::string& command) override;

  HWND mciCallback = nullptr;  // the main window, once it exists

 private:
  CommandQueue mci_;
};

}  // namespace tovr::tweaks::win32
