#include "update/VersionFile.h"

#include <array>

#include "base/Text.h"

namespace tovr::update {

namespace {

std::optional<std::uint64_t> ParseSize(std::string_view digits) {
  if (digits.empty() || digits.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > kMaxDownloadBytes) return std::nullopt;
  return value;
}

// A name that Windows takes for a device, whatever follows its first dot ("nul.txt", "COM1.tar.gz",
// "aux .zip"); the superscript digits count too.
bool IsDeviceName(std::string_view name) {
  std::string base = text::AsciiLower(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"con", "prn", "aux", "nul"}) {
    if (base == device) return true;
  }
  if (base.size() < 4 || (base.compare(0, 3, "com") != 0 && base.compare(0, 3, "lpt") != 0)) return false;
  const std::string_view number = std::string_view(base).substr(3);
  return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
         number == "\xC2\xB2" || number == "\xC2\xB3";
}

}  // namespace

std::optional<VersionFile> ExtractVersionFile(std::string_view body) {
  static constexpr std::array<std::string_view, 5> kTags = {"[Version]", "[DateTime]", "[URL]", "[SHA256]", "[Size]"};
  std::array<std::string, 5> values;
  for (std::size_t i = 0; i < kTags.size(); ++i) {
    const std::size_t at = body.find(kTags[i]);
    if (at == std::string_view::npos) return std::nullopt;
    values[i] = std::string(body.substr(0, at));
    body.remove_prefix(at + kTags[i].size());
  }
  const std::string& sha = values[3];
  if (sha.size() != 64) return std::nullopt;
  for (const char c : sha) {
    if (text::HexDigitValue(c) < 0) return std::nullopt;
  }
  const std::optional<std::uint64_t> size = ParseSize(values[4]);
  if (!size) return std::nullopt;
  return VersionFile{std::move(values[0]), std::move(values[1]), std::move(values[2]), text::AsciiLower(sha), *size};
}

std::string DownloadFileName(std::string_view url, std::string_view fallback) {
  std::string_view name = url;
  if (const std::size_t slash = name.rfind('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
  name = name.substr(0, name.find_first_of("?#"));
  if (const std::size_t back = name.rfind('\\'); back != std::string_view::npos) name.remove_prefix(back + 1);
  std::string out;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    const bool forbidden = u < 0x20 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
    out += forbidden ? '_' : c;
  }
  while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
  if (out.empty() || IsDeviceName(out)) return std::string(fallback);
  return out;
}

}  // namespace tovr::update
