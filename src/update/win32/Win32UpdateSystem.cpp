#include "update/win32/Win32UpdateSystem.h"

#include "base/win32/Wide.h"
#include "platform/win32/SystemText.h"
#include "update/win32/Crypto.h"

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

bool Win32UpdateSystem::VerifySignature(const Bytes64& key, std::string_view message, const Bytes64& signature) {
  return VerifyEcdsaP256(key, message, signature);
}

void Win32UpdateSystem::MarkFromInternet(const std::string& path, const std::string& mark) {
  // Only a volume that keeps named streams (NTFS, ReFS) can hold the mark; elsewhere a name with
  // a colon would be refused, or taken for a file of its own.
  const std::wstring file = Widen(path);
  wchar_t volume[MAX_PATH] = {};
  DWORD flags = 0;
  if (!GetVolumePathNameW(file.c_str(), volume, MAX_PATH) ||
      !GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) ||
      !(flags & FILE_NAMED_STREAMS)) {
    return;
  }
  HANDLE stream = CreateFileW((file + L":Zone.Identifier").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (stream == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(stream, mark.data(), static_cast<DWORD>(mark.size()), &written, nullptr);
  CloseHandle(stream);
}

}  // namespace tovr::update::win32
