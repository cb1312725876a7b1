// The update check's system port on Win32: the shell's folder browser, MoveFileEx and the
// user's short date pattern.
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
};

}  // namespace tovr::update::win32
