#include "update/VersionFile.h"

#include <array>

namespace tovr::update {

std::optional<VersionFile> ExtractVersionFile(std::string_view body) {
  static constexpr std::array<std::string_view, 3> kTags = {"[Version]", "[DateTime]", "[URL]"};
  std::array<std::string, 3> values;
  for (std::size_t i = 0; i < kTags.size(); ++i) {
    const std::size_t at = body.find(kTags[i]);
    if (at == std::string_view::npos) return std::nullopt;
    values[i] = std::string(body.substr(0, at));
    body.remove_prefix(at + kTags[i].size());
  }
  return VersionFile{std::move(values[0]), std::move(values[1]), std::move(values[2])};
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
  if (out.empty()) return std::string(fallback);
  return out;
}

}  // namespace tovr::update
