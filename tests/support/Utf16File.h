// Text as a file saved in UTF-16 LE with a byte-order mark holds it (as Notepad's "Unicode").
#pragma once

#include <string>
#include <string_view>

#include "base/Text.h"

namespace tovr::testing {

inline std::string Utf16File(std::string_view utf8) {
  std::string out = "\xFF\xFE";
  text::AppendUtf16Le(out, text::Utf8ToUtf16(utf8));
  return out;
}

}  // namespace tovr::testing
