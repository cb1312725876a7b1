#include "platform/win32/LateBound.h"

#include <string>

#include "base/Error.h"
#include "base/win32/Wide.h"
#include "platform/win32/SystemText.h"

namespace tovr::win32 {

FARPROC LateBoundAddress(const wchar_t* library, const char* function) {
  const HMODULE module = LoadLibraryW(library);
  const FARPROC address = module ? GetProcAddress(module, function) : nullptr;
  if (!address) throw Error(Narrow(library) + " " + function + ": " + SystemErrorText(GetLastError()));
  return address;
}

}  // namespace tovr::win32
