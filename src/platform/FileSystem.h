// The file-system port: whole-file reads, atomic replacement, and the few queries the tools
// need. Paths are UTF-8; on Windows they are Windows paths ("C:\Tovrane\Config.ini").
//
// Failure reporting: operations whose failure must stop the caller's handler throw tovr::Error
// with a message meant for the user (ReadFile on an unreadable file, WriteFileAtomic). Queries
// and clean-ups where the caller decides what a failure means return bool or an empty result.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovr {

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // The file's bytes; nullopt when the file or its folder does not exist. Any other failure
  // (access denied, sharing violation, a directory in its place) throws tovr::Error
  // "Unable to read %s".
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;

  // True when `path` names an existing file (not a directory).
  virtual bool FileExists(const std::string& path) = 0;
  // True when `path` names an existing directory.
  virtual bool DirectoryExists(const std::string& path) = 0;

  // Replaces the file's content with `bytes`, or creates the file: the bytes go to a temporary
  // file in the same folder, which is flushed and then renamed over the target, so readers see
  // either the old or the new content, never a truncated file. A read-only target, a missing or
  // unwritable folder or a failed write throws tovr::Error "Unable to write to %s" and leaves
  // the target as it was and no temporary file behind.
  virtual void WriteFileAtomic(const std::string& path, std::string_view bytes) = 0;

  // Cheap test whether WriteFileAtomic(path, ...) can succeed, without changing the file: false
  // when the file is read-only or locked, or its folder is missing or does not accept new files.
  virtual bool CheckWritable(const std::string& path) = 0;

  // Creates the folder (its parent must exist). True when it exists afterwards.
  virtual bool CreateFolder(const std::string& path) = 0;

  // Deletes a file. False when it could not be deleted (missing, read-only, in use). Named
  // RemoveFile because DeleteFile is a macro of <windows.h>.
  virtual bool RemoveFile(const std::string& path) = 0;

  // Names (not paths) of the files in `folder` that match `pattern` ("*.lnk"; '*' and '?'
  // wildcards, ASCII letters compared without regard to case), in the order the system lists
  // them. Directories are not listed. Empty when the folder is missing or unreadable.
  virtual std::vector<std::string> ListFiles(const std::string& folder,
                                             const std::string& pattern) = 0;

  // True when drive `letter` ('A'..'Z') is a local fixed or RAM disk; false for network,
  // removable and CD drives and letters without a drive. Asks the drive's type only: a
  // disconnected network drive answers at once.
  virtual bool FixedDrive(char letter) = 0;
};

// True when `path` is on a local fixed disk, where looking at a file never waits on a server
// or a medium: false for UNC paths (\\server\share\..., also as \\?\UNC\...) and for paths on
// a drive that is not fixed (a mapped network drive, a CD). A path without a drive (relative,
// or rooted on the current drive) counts as local. Looks at the text and the drive's type.
bool OnLocalFixedDrive(IFileSystem& files, std::string_view path);

// Wildcard match as Windows applies it to long file names: '*' matches any run of characters,
// '?' exactly one byte of a single-byte character or one whole UTF-8 character; ASCII letters
// compare without regard to case. Adapters use it to drop the extra hits that matching on 8.3
// short names produces ("*.lnk" also finding "a.lnkx"). "*.*" matches every name, as on
// Windows.
inline bool WildcardMatch(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*") pattern = "*";
  auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  auto charLen = [](std::string_view s, std::size_t i) -> std::size_t {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return i + n <= s.size() ? n : s.size() - i;
  };
  std::size_t n = 0, p = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = ++p;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      n += charLen(name, n);
      ++p;
    } else if (p < pattern.size() && lower(static_cast<unsigned char>(pattern[p])) ==
                                         lower(static_cast<unsigned char>(name[n]))) {
      ++n;
      ++p;
    } else if (starP != std::string_view::npos) {
      p = starP;
      starN += charLen(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace tovr
