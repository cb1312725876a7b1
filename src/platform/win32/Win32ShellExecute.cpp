#include "platform/win32/Win32ShellExecute.h"

#include <shellapi.h>

#include <cstdint>
#include <string>

#include "base/win32/Wide.h"

namespace tovr {

bool Win32ShellExecute::Open(const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory,
                             int show) {
  const std::wstring wideVerb = Widen(verb), wideFile = Widen(file);
  const std::wstring wideParameters = Widen(parameters), wideDirectory = Widen(directory);
  // Empty texts are passed as null: no verb is the default verb, no parameters and no folder
  // mean none at all (an empty folder text would not be "none" to every handler).
  HINSTANCE result = ShellExecuteW(owner, verb.empty() ? nullptr : wideVerb.c_str(),
                                   wideFile.c_str(),
                                   parameters.empty() ? nullptr : wideParameters.c_str(),
                                   directory.empty() ? nullptr : wideDirectory.c_str(), show);
  // Values above 32 are success; below are error codes.
  return reinterpret_cast<std::intptr_t>(result) > 32;
}

}  // namespace tovr
