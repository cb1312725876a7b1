// Arbitrary bytes as a startup entry's command line, through ExtractExePath. Invariants: the
// path is well-formed UTF-8 (no character split); for a well-formed command it is no longer
// than the command and, unless the command begins with a quote, a prefix of the command
// trimmed and lower-cased.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Text.h"
#include "startup/CommandLine.h"

namespace {

bool WellFormed(const std::string& s) { return tovr::text::Utf16ToUtf8(tovr::text::Utf8ToUtf16(s)) == s; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string command(reinterpret_cast<const char*>(data), size);
  const std::string path = tovr::startup::ExtractExePath(command);
  bool ok = WellFormed(path);
  if (ok && WellFormed(command)) {
    std::size_t begin = 0;
    while (begin < command.size() && static_cast<unsigned char>(command[begin]) <= ' ') ++begin;
    const std::string lower = tovr::text::AsciiLower(command.substr(begin));
    ok = path.size() <= command.size() && (lower.starts_with('"') || lower.starts_with(path));
  }
  if (!ok) {
    std::fprintf(stderr, "bad executable path for a command of %zu bytes\n", size);
    std::abort();
  }
  return 0;
}
