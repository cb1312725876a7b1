// IShellExecute on ShellExecuteW. The owner window (the main window, once it exists) parents
// any message the shell shows itself.
#pragma once

#include <windows.h>

#include "platform/ShellExecute.h"

namespace tovr {

class Win32ShellExecute final : public IShellExecute {
 public:
  bool Open(const std::string& verb, const std::string& file, const std::string& parameters,
            const std::string& directory, int show) override;

  HWND owner = nullptr;
};

}  // namespace tovr
