// UTF-8 <-> UTF-16 at the Win32 edge: every string passed to or read from a W function goes
// through these two. wchar_t is UTF-16 on Windows.
#pragma once

#include <string>
#include <string_view>

#include "base/Text.h"

namespace tovr {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 code needs a 16-bit wchar_t");

inline std::wstring Widen(std::string_view utf8) {
  const std::u16string utf16 = text::Utf8ToUtf16(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return text::Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace tovr
