// A disk for crash tests. Each file has the bytes a running program sees and the bytes that are
// safely on the disk (flushed). Atomic replacements go through the real ReplaceFileAtomically,
// counting units of work: one per byte written and one per other step. A kill point armed with
// KillAfter(n) stops the program after n units, in the middle of a write when it falls there:
// the step throws Killed, and from then on the program's calls change nothing (the process is
// gone). A power cut also loses every byte that was not flushed. Restart() lets a new process
// in, which sees what survived.
//
// Paths are Windows paths; names compare without regard to ASCII case. A rename is done on the
// disk at once, as MOVEFILE_WRITE_THROUGH makes it.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace tovr {

class CrashingDisk final : public IFileSystem {
 public:
  struct Killed {};

  void AddDirectory(const std::string& path);
  // A file as it stands on the disk (flushed); its folder must exist.
  void SetFile(const std::string& path, std::string bytes);
  std::optional<std::string> File(const std::string& path) const;  // as a reader sees it now
  long Work() const { return work_; }
  void KillAfter(long units, bool powerCut);
  void Restart();

  std::optional<std::string> ReadFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  void WriteFileAtomic(const std::string& path, std::string_view bytes) override;
  bool CheckWritable(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) override;
  bool FixedDrive(char) override { return true; }

 private:
  class Steps;
  struct Entry {
    std::string path;
    std::string seen;     // what a reader gets while the system runs
    std::string flushed;  // what is on the disk
  };

  static std::string Key(std::string_view path);
  static std::string Parent(const std::string& key);
  // Spends up to `units` of work; returns how many may be done before the kill point.
  long Spend(long units);
  void Die();

  std::map<std::string, Entry> files_;
  std::set<std::string> folders_;
  long work_ = 0;
  long killAt_ = -1;  // no kill armed
  bool powerCut_ = false;
  bool dead_ = false;
  int nextTemp_ = 1;
};

}  // namespace tovr
