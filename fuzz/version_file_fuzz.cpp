// Arbitrary bytes as the update server's version file. Invariants checked:
// - extracted values joined with their tags give back a prefix of the (UTF-8) body;
// - the download's hash is 64 lower-case hexadecimal digits and its size 1 to 512 MiB;
// - a parsed release date is a real date and time;
// - the download's file name is never empty and holds no path separator or reserved character.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Text.h"
#include "update/ReleaseDate.h"
#include "update/VersionFile.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string body = tovr::text::GbkToUtf8(std::string(reinterpret_cast<const char*>(data), size));
  if (const auto file = tovr::update::ExtractVersionFile(body)) {
    const std::string joined = file->version + "[Version]" + file->dateTime + "[DateTime]" + file->url + "[URL]";
    Check(body.compare(0, joined.size(), joined) == 0, "the values and tags are the body's beginning");
    Check(file->sha256.size() == 64 && file->sha256.find_first_not_of("0123456789abcdef") == std::string::npos,
          "a SHA-256 in lower-case hexadecimal");
    Check(file->size >= 1 && file->size <= tovr::update::kMaxDownloadBytes, "a size within the cap");
    for (const char* format : {"yyyy/M/d", "M/d/yyyy", "dd.MM.yy"}) {
      if (const auto t = tovr::update::ParseShortDateTime(file->dateTime, format)) {
        Check(t->month >= 1 && t->month <= 12 && t->day >= 1 && t->day <= 31, "a real date");
        Check(t->hour <= 23 && t->minute <= 59 && t->second <= 59, "a real time");
      }
    }
  }
  const std::string name = tovr::update::DownloadFileName(body, "NbDown.tmp");
  Check(!name.empty() && name.find_first_of("\\/:*?\"<>|") == std::string::npos, "one plain file name");
  return 0;
}
