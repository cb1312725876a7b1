#include "platform/win32/Win32ActiveDesktop.h"

#include <shlguid.h>

#include "base/win32/Wide.h"
#include "platform/win32/LateBound.h"

namespace tovr {

Win32ActiveDesktop::~Win32ActiveDesktop() { Reset(); }

void Win32ActiveDesktop::Reset() {
  if (object_) object_->Release();
  object_ = nullptr;
}

bool Win32ActiveDesktop::Ensure() {
  if (object_) return true;
  void* object = nullptr;
  if (FAILED(TOVR_LATE(ole32, CoCreateInstance)(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveDesktop,
                                                &object))) {
    return false;
  }
  object_ = static_cast<::IActiveDesktop*>(object);
  return true;
}

bool Win32ActiveDesktop::SetWallpaper(const std::string& path) {
  return object_ && SUCCEEDED(object_->SetWallpaper(Widen(path).c_str(), 0));
}

bool Win32ActiveDesktop::ApplyChanges(unsigned flags) {
  return object_ && SUCCEEDED(object_->ApplyChanges(flags));
}

}  // namespace tovr
