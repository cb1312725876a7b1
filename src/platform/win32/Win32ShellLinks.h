// IShellLinks on the shell link object (CLSID_ShellLink through IShellLinkW and IPersistFile).
// COM must be initialised on the calling thread (the program does it before start-up).
#pragma once

#include "platform/ShellPorts.h"

namespace tovr {

class Win32ShellLinks final : public IShellLinks {
 public:
  std::string ResolveShellLink(const std::string& linkPath) override;
  LinkSaveResult CreateShellLink(const std::string& target, const std::string& linkPath,
                       const std::string& workDir, const std::string& description) override;
};

}  // namespace tovr
