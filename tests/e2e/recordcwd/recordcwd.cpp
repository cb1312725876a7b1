// A tiny program for the end-to-end checks: records the working folder it was started in and
// its command line, as UTF-8 lines, in "recordcwd.txt" beside itself, then ends.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t cwd[MAX_PATH * 2] = {};
  GetCurrentDirectoryW(MAX_PATH * 2, cwd);
  wchar_t self[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  std::wstring out = self;
  out = out.substr(0, out.find_last_of(L'\\') + 1) + L"recordcwd.txt";
  const std::string text = "cwd=" + Utf8(cwd) + "\r\ncommandline=" + Utf8(GetCommandLineW()) + "\r\n";
  // Written to a temporary name and renamed, so a reader never sees half a file.
  const std::wstring temp = out + L".tmp";
  HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || !MoveFileExW(temp.c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
  return 0;
}
