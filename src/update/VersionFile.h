// The version file the update server answers with: five values, each ended by its tag, in the
// order version "[Version]", release date "[DateTime]", download URL "[URL]", the download's
// SHA-256 "[SHA256]" and its size in bytes "[Size]". Nothing is trimmed: a blank or line break
// before a tag belongs to the value (and makes the hash or the size invalid).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovr::update {

// The largest version file taken (in bytes as received); the client delivers at most one byte
// more, so that a longer body is seen as too long.
inline constexpr std::size_t kMaxVersionFileBytes = 64 * 1024;
// No download is ever larger, whatever its version file says.
inline constexpr std::uint64_t kMaxDownloadBytes = 512ull * 1024 * 1024;

struct VersionFile {
  std::string version;
  std::string dateTime;
  std::string url;
  std::string sha256;  // 64 hexadecimal digits, lower case
  std::uint64_t size = 0;
};

// The values of `body` (UTF-8: a tag is never found inside a character): each tag is looked for
// after the end of the previous one. None when a tag is missing, when the hash is not exactly
// 64 hexadecimal digits, or the size not decimal digits from 1 to kMaxDownloadBytes.
std::optional<VersionFile> ExtractVersionFile(std::string_view body);

// The name the download is saved under: the part of `url` after its last "/" (the whole URL
// when it has none), cut at a query ("?") or fragment ("#"), and after a backslash, so that
// it names one file inside the chosen folder; characters that Windows does not allow in a
// file name become "_", trailing dots and blanks go. `fallback` when nothing is left, when
// only dots are, or when the name is one of Windows' device names (CON, PRN, AUX, NUL,
// COM1-9, LPT1-9, with any extension), which no file can have.
std::string DownloadFileName(std::string_view url, std::string_view fallback);

}  // namespace tovr::update
