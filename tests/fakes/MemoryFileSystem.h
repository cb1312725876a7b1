// In-memory file system with Windows' path rules: '\' or '/' separate, names compare without
// regard to ASCII case, a file can only be written into an existing folder. Tests can make a
// file or a folder read-only, make every write fail or a file unreadable, and count the
// calls made through the port.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace tovr {

class MemoryFileSystem final : public IFileSystem {
 public:
  // Set-up and inspection; none of these is counted.
  void AddDirectory(const std::string& path);  // with all its parents
  void SetFile(const std::string& path, std::string bytes);  // creates its folders
  std::optional<std::string> File(const std::string& path) const;
  // A read-only file cannot be written or deleted; a read-only folder accepts no new file and
  // no replacement or deletion of its files (no temporary file can be made in it).
  void SetReadOnly(const std::string& path, bool readOnly = true);
  void SetFailWrites(bool fail) { failWrites_ = fail; }   // every write fails
  void SetUnreadable(const std::string& path, bool unreadable = true);  // ReadFile throws
  std::vector<std::string> FilePaths() const;  // as first written, in name order
  // Drive `letter` is a network drive. Looking at a path there or on a share (\\server\...)
  // is counted: a server that does not answer would make each look wait.
  void SetNetworkDrive(char letter) { networkDrives_.insert(letter); }
  int NetworkLooks() const { return networkLooks_; }

  int Reads() const { return reads_; }
  int Writes() const { return writes_; }  // WriteFileAtomic calls, failed ones included
  int WritableChecks() const { return checks_; }
  void ResetCounts() { reads_ = writes_ = checks_ = 0; }

  std::optional<std::string> ReadFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  void WriteFileAtomic(const std::string& path, std::string_view bytes) override;
  bool CheckWritable(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) override;
  bool FixedDrive(char letter) override { return !networkDrives_.count(letter); }

 private:
  void CountNetworkLook(const std::string& path) { networkLooks_ += !OnLocalFixedDrive(*this, path); }
  struct Entry {
    std::string path;  // as first given, separators made '\'
    std::string bytes;
    bool readOnly = false;
    bool unreadable = false;
  };

  static std::string Normalize(std::string_view path);
  static std::string Key(std::string_view path);
  static std::string Parent(const std::string& key);
  bool FolderAccepts(const std::string& key) const;

  std::map<std::string, Entry> files_;   // by folded path
  std::set<std::string> folders_;        // folded paths
  std::set<std::string> readOnlyFolders_;
  bool failWrites_ = false;
  int reads_ = 0, writes_ = 0, checks_ = 0, networkLooks_ = 0;
  std::set<char> networkDrives_;
};

}  // namespace tovr
