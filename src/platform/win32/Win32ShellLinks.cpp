#include "platform/win32/Win32ShellLinks.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "base/Error.h"
#include "base/win32/Wide.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/SystemText.h"

namespace tovr {

namespace {

// Owns one reference of a COM interface.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  T* operator->() const { return p_; }
  T** Out() { return &p_; }
  void** OutVoid() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

void Check(HRESULT hr) {
  if (FAILED(hr)) throw Error(SystemErrorText(static_cast<DWORD>(hr)));
}

}  // namespace

std::string Win32ShellLinks::ResolveShellLink(const std::string& linkPath) {
  ComPtr<IShellLinkW> link;
  Check(TOVR_LATE(ole32, CoCreateInstance)(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                           link.OutVoid()));
  ComPtr<IPersistFile> file;
  Check(link->QueryInterface(IID_IPersistFile, file.OutVoid()));
  Check(file->Load(Widen(linkPath).c_str(), STGM_READ));
  wchar_t path[MAX_PATH] = {};
  WIN32_FIND_DATAW found{};
  // S_FALSE with an empty path: a link to something that is not a file.
  Check(link->GetPath(path, MAX_PATH, &found, SLGP_UNCPRIORITY));
  return Narrow(path);
}

LinkSaveResult Win32ShellLinks::CreateShellLink(const std::string& target,
                                                const std::string& linkPath,
                                                const std::string& workDir,
                                                const std::string& description) {
  ComPtr<IShellLinkW> link;
  HRESULT hr = TOVR_LATE(ole32, CoCreateInstance)(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                                  link.OutVoid());
  ComPtr<IPersistFile> file;
  if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, file.OutVoid());
  if (SUCCEEDED(hr)) {
    link->SetPath(Widen(target).c_str());
    link->SetWorkingDirectory(Widen(workDir).c_str());
    link->SetDescription(Widen(description).c_str());
    hr = file->Save(Widen(linkPath).c_str(), TRUE);
  }
  if (SUCCEEDED(hr)) return {true, false, {}};
  // E_ACCESSDENIED is also HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED).
  return {false, hr == E_ACCESSDENIED || hr == STG_E_ACCESSDENIED, SystemErrorText(static_cast<DWORD>(hr))};
}

}  // namespace tovr
