#include "fakes/CrashingDisk.h"

#include <algorithm>

#include "base/Error.h"
#include "base/Text.h"
#include "platform/AtomicReplace.h"

namespace tovr {

class CrashingDisk::Steps final : public IReplaceSteps {
 public:
  explicit Steps(CrashingDisk& disk) : disk_(disk) {}

  Target Inspect(const std::string& target) override {
    Step();
    if (disk_.folders_.count(Key(target))) return Target::Refused;
    return disk_.files_.count(Key(target)) ? Target::Replaceable : Target::Missing;
  }
  bool CreateTempBeside(const std::string& target) override {
    Step();
    const std::string folder = target.substr(0, target.find_last_of("\\/"));
    if (!disk_.folders_.count(Key(folder))) return false;
    temp_ = folder + "\\tov" + std::to_string(disk_.nextTemp_++) + ".tmp";
    disk_.files_[Key(temp_)] = Entry{temp_, "", ""};
    return true;
  }
  bool Write(std::string_view bytes, std::size_t& written) override {
    const long allowed = disk_.Spend(static_cast<long>(bytes.size()));
    disk_.files_.at(Key(temp_)).seen.append(bytes.substr(0, static_cast<std::size_t>(allowed)));
    if (allowed < static_cast<long>(bytes.size())) Kill();
    written = bytes.size();
    return true;
  }
  bool FlushAndClose() override {
    Step();
    Entry& entry = disk_.files_.at(Key(temp_));
    entry.flushed = entry.seen;
    return true;
  }
  bool RenameOver(const std::string& target) override {
    Step();
    Entry moved = disk_.files_.at(Key(temp_));
    disk_.files_.erase(Key(temp_));
    auto it = disk_.files_.find(Key(target));
    moved.path = it == disk_.files_.end() ? target : it->second.path;
    disk_.files_[Key(target)] = std::move(moved);
    temp_.clear();
    return true;
  }
  void Discard() override {
    if (disk_.dead_ || temp_.empty()) return;  // a killed process cleans nothing up
    disk_.files_.erase(Key(temp_));
  }

 private:
  void Step() {
    if (disk_.Spend(1) < 1) Kill();
  }
  [[noreturn]] void Kill() {
    disk_.Die();
    throw Killed{};
  }

  CrashingDisk& disk_;
  std::string temp_;
};

std::string CrashingDisk::Key(std::string_view path) {
  std::string key = text::AsciiLower(path);
  std::replace(key.begin(), key.end(), '/', '\\');
  return key;
}

std::string CrashingDisk::Parent(const std::string& key) {
  auto at = key.rfind('\\');
  return at == std::string::npos ? std::string() : key.substr(0, at);
}

long CrashingDisk::Spend(long units) {
  if (dead_) throw Killed{};
  long allowed = units;
  if (killAt_ >= 0 && work_ + units > killAt_) allowed = killAt_ - work_;
  work_ += allowed;
  return allowed;
}

void CrashingDisk::Die() {
  dead_ = true;
  if (powerCut_) {
    for (auto& [key, entry] : files_) entry.seen = entry.flushed;
  }
}

void CrashingDisk::AddDirectory(const std::string& path) {
  for (std::string key = Key(path); !key.empty(); key = Parent(key)) folders_.insert(key);
}

void CrashingDisk::SetFile(const std::string& path, std::string bytes) {
  files_[Key(path)] = Entry{path, bytes, bytes};
}

std::optional<std::string> CrashingDisk::File(const std::string& path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.seen;
}

void CrashingDisk::KillAfter(long units, bool powerCut) {
  killAt_ = work_ + units;
  powerCut_ = powerCut;
}

void CrashingDisk::Restart() {
  dead_ = false;
  killAt_ = -1;
  powerCut_ = false;
}

std::optional<std::string> CrashingDisk::ReadFile(const std::string& path) { return File(path); }

bool CrashingDisk::FileExists(const std::string& path) { return files_.count(Key(path)) > 0; }

bool CrashingDisk::DirectoryExists(const std::string& path) { return folders_.count(Key(path)) > 0; }

void CrashingDisk::WriteFileAtomic(const std::string& path, std::string_view bytes) {
  Steps steps(*this);
  ReplaceFileAtomically(steps, path, bytes);
}

bool CrashingDisk::CheckWritable(const std::string& path) {
  return folders_.count(Parent(Key(path))) > 0 && !folders_.count(Key(path));
}

bool CrashingDisk::CreateFolder(const std::string& path) {
  AddDirectory(path);
  return true;
}

bool CrashingDisk::RemoveFile(const std::string& path) { return files_.erase(Key(path)) > 0; }

std::vector<std::string> CrashingDisk::ListFiles(const std::string& folder,
                                                 const std::string& pattern) {
  std::vector<std::string> names;
  for (const auto& [key, entry] : files_) {
    if (Parent(key) != Key(folder)) continue;
    std::string name = entry.path.substr(entry.path.find_last_of("\\/") + 1);
    if (WildcardMatch(name, pattern)) names.push_back(name);
  }
  return names;
}

}  // namespace tovr
