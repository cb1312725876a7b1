// The update check's system port on Win32: the shell's folder browser, MoveFileEx, the user's
// short date pattern, BCrypt's signature check and the Zone.Identifier stream.
#pragma once

#include <windows.h>

#include "update/UpdateSystem.h"

namespace tovr::update::win32 {

class Win32UpdateSystem final : public IUpdateSystem {
 public:
  HWND owner = nullptr;  // of the folder browser

  std::optional<std::string> ChooseFolder(const std::string& title) override;
  std::optional<std::string> MoveFileTo(const std::string& from, const std::string& to) override;
  std::string ShortDateFormat() override;
  bool VerifySignature(const Bytes64& key, std::string_view message, const Bytes64& signature) override;
  void MarkFromInternet(const std::string& path, const std::string& mark) override;
};

}  // namespace tovr::update::win32
