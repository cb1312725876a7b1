#include "tweaks/win32/Win32QuickShell.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <string>

#include "base/Error.h"
#include "base/win32/Wide.h"
#include "platform/win32/LateBound.h"

namespace tovr::tweaks::win32 {

void Win32QuickShell::Execute(const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              int show) {
  const std::wstring wideVerb = Widen(verb), wideFile = Widen(file);
  const std::wstring wideParameters = Widen(parameters), wideDirectory = Widen(directory);
  ShellExecuteW(nullptr, verb.empty() ? nullptr : wideVerb.c_str(), wideFile.c_str(),
                parameters.empty() ? nullptr : wideParameters.c_str(),
                directory.empty() ? nullptr : wideDirectory.c_str(), show);
}

std::optional<bool> Win32QuickShell::ScreenSaverActive() {
  BOOL active = FALSE;
  if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) return std::nullopt;
  return active != FALSE;
}

void Win32QuickShell::PostToDesktop(unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  PostMessageW(GetDesktopWindow(), message, static_cast<WPARAM>(wParam),
               static_cast<LPARAM>(lParam));
}

void Win32QuickShell::SendMciCommand(const std::string& command) {
  mci_.Post([command = Widen(command), callback = mciCallback] {
    try {
      TOVR_LATE(winmm, mciSendStringW)(command.c_str(), nullptr, 0, callback);
    } catch (const Error&) {
      // without the multimedia library the command does nothing, as a refused one does
    }
  });
}

}  // namespace tovr::tweaks::win32
