#include "platform/win32/SystemText.h"

#include <shlobj.h>

#include "base/win32/Wide.h"
#include "platform/win32/LateBound.h"

namespace tovr {

std::string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) {
    char hex[32];
    wsprintfA(hex, "0x%08lX", static_cast<unsigned long>(code));
    return std::string("Error ") + hex;
  }
  return Narrow(text);
}

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title) {
  const std::wstring wideTitle = Widen(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListW(chosen, path);
  TOVR_LATE(ole32, CoTaskMemFree)(chosen);
  if (!ok || path[0] == L'\0') return std::nullopt;
  return Narrow(path);
}

}  // namespace tovr
