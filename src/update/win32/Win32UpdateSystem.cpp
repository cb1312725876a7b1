#include "update/win32/Win32UpdateSystem.h"

#include "base/win32/Wide.h"
#include "platform/win32/SystemText.h"

namespace tovr::update::win32 {

std::optional<std::string> Win32UpdateSystem::ChooseFolder(const std::string& title) {
  return BrowseForFolder(owner, title);
}

std::optional<std::string> Win32UpdateSystem::MoveFileTo(const std::string& from, const std::string& to) {
  if (MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_COPY_ALLOWED)) return std::nullopt;
  return SystemErrorText(GetLastError());
}

std::string Win32UpdateSystem::ShortDateFormat() {
  wchar_t pattern[128] = {};
  if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 128)) return "yyyy/M/d";
  return Narrow(pattern);
}

}  // namespace tovr::update::win32
