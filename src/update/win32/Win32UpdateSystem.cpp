#include "update/win32/Win32UpdateSystem.h"

#include <shlobj.h>

#include "base/win32/Wide.h"

namespace tovr::update::win32 {

std::string SystemErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring out = n && text ? std::wstring(text, n) : L"Error " + std::to_wstring(code);
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == L'\r' || out.back() == L'\n' || out.back() == L' ')) out.pop_back();
  return Narrow(out);
}

std::optional<std::string> Win32UpdateSystem::ChooseFolder(const std::string& title) {
  const std::wstring wideTitle = Widen(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  if (!ok || path[0] == L'\0') return std::nullopt;
  return Narrow(path);
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
