// Arbitrary bytes as the formats of a web link dragged onto the drop panel: the input is split
// at 0xFF bytes into the six formats (an empty part: the format is absent). Invariants:
// - an Internet shortcut's address has no surrounding blanks, no line break and at most
//   kMaxDroppedLinkLength characters, and is never cut inside a character;
// - a link read from the formats has an address without NUL or surrounding blanks, and a
//   non-empty title.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "shortcuts/DroppedLink.h"
#include "FuzzCheck.h"

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool Trimmed(std::string_view s) { return !s.empty() && !Blank(s.front()) && !Blank(s.back()); }

std::size_t Characters(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size(); ++n) tovr::text::DecodeUtf8(utf8, i);
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovr::shortcuts;
  const std::string input(reinterpret_cast<const char*>(data), size);

  if (auto url = InternetShortcutUrl(input)) {
    Check(Trimmed(*url), "a shortcut's address has no surrounding blanks");
    Check(url->find_first_of("\r\n") == std::string::npos, "a shortcut's address is one line");
    Check(Characters(*url) <= kMaxDroppedLinkLength, "a shortcut's address is cut to its length");
    Check(input.find(*url) != std::string::npos || Characters(*url) == kMaxDroppedLinkLength,
          "a shortcut's address comes from its text");
  }

  std::vector<std::optional<std::string>> parts;
  std::size_t start = 0;
  while (parts.size() < 6) {
    const std::size_t end = input.find('\xFF', start);
    const std::string part = input.substr(start, end == std::string::npos ? std::string::npos : end - start);
    parts.push_back(part.empty() ? std::nullopt : std::optional<std::string>(part));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  parts.resize(6);
  const DroppedLinkData formats{parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]};
  if (auto link = ReadDroppedLink(formats)) {
    Check(Trimmed(link->url), "a dropped address has no surrounding blanks");
    Check(link->url.find('\0') == std::string::npos, "a dropped address ends at its NUL");
    Check(!link->title.empty(), "a dropped link has a title");
  }
  return 0;
}
