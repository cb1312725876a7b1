// IActiveDesktopObject on the shell's CLSID_ActiveDesktop COM object: created on first need,
// kept until the program ends (COM must be initialised on the calling thread).
#pragma once

#include <windows.h>
#include <wininet.h>  // shlobj.h declares IActiveDesktop only after it
#include <shlobj.h>

#include "platform/ActiveDesktop.h"

namespace tovr {

class Win32ActiveDesktop final : public IActiveDesktopObject {
 public:
  Win32ActiveDesktop() = default;
  ~Win32ActiveDesktop() override;
  Win32ActiveDesktop(const Win32ActiveDesktop&) = delete;
  Win32ActiveDesktop& operator=(const Win32ActiveDesktop&) = delete;

  bool Ensure() override;
  bool SetWallpaper(const std::string& path) override;
  bool ApplyChanges(unsigned flags) override;
  // Lets go of the object; call it before COM is uninitialised.
  void Reset();

 private:
  ::IActiveDesktop* object_ = nullptr;
};

}  // namespace tovr
