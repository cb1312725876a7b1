// The message of the tovr::Error that f() throws, or "(no error)".
#pragma once

#include <string>

#include "base/Error.h"

namespace tovr::testing {

template <class F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace tovr::testing
