// The version file the update server answers with: three values, each ended by its tag, in
// the order version "[Version]", release date "[DateTime]", download URL "[URL]". Nothing is
// trimmed: a blank or line break before a tag belongs to the value.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tovr::update {

// The largest version file taken (in bytes as received); the client delivers at most one byte
// more, so that a longer body is seen as too long.
inline constexpr std::size_t kMaxVersionFileBytes = 64 * 1024;

struct VersionFile {
  std::string version;
  std::string dateTime;
  std::string url;
};

// The three values of `body` (UTF-8: a tag is never found inside a character): each tag is
// looked for after the end of the previous one. None when a tag is missing.
std::optional<VersionFile> ExtractVersionFile(std::string_view body);

// The name the download is saved under: the part of `url` after its last "/" (the whole URL
// when it has none), cut at a query ("?") or fragment ("#"), and after a backslash, so that
// it names one file inside the chosen folder; characters that Windows does not allow in a
// file name become "_", trailing dots and blanks go. Empty (a URL ending in "/") or nothing
// but dots: `fallback`.
std::string DownloadFileName(std::string_view url, std::string_view fallback);

}  // namespace tovr::update
