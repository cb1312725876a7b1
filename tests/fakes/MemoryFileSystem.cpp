#include "fakes/MemoryFileSystem.h"

#include <algorithm>

#include "base/Error.h"
#include "base/Text.h"

namespace tovr {

std::string MemoryFileSystem::Normalize(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '/', '\\');
  while (out.size() > 1 && out.back() == '\\') out.pop_back();
  return out;
}

std::string MemoryFileSystem::Key(std::string_view path) {
  return text::AsciiLower(Normalize(path));
}

std::string MemoryFileSystem::Parent(const std::string& key) {
  auto at = key.rfind('\\');
  return at == std::string::npos ? std::string() : key.substr(0, at);
}

bool MemoryFileSystem::FolderAccepts(const std::string& key) const {
  std::string folder = Parent(key);
  return (folder.empty() || folders_.count(folder)) && !readOnlyFolders_.count(folder);
}

void MemoryFileSystem::AddDirectory(const std::string& path) {
  for (std::string key = Key(path); !key.empty(); key = Parent(key)) folders_.insert(key);
}

void MemoryFileSystem::SetFile(const std::string& path, std::string bytes) {
  std::string key = Key(path);
  if (!Parent(key).empty()) AddDirectory(Parent(key));
  Entry& entry = files_[key];
  if (entry.path.empty()) entry.path = Normalize(path);
  entry.bytes = std::move(bytes);
}

std::optional<std::string> MemoryFileSystem::File(const std::string& path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

void MemoryFileSystem::SetReadOnly(const std::string& path, bool readOnly) {
  std::string key = Key(path);
  if (auto it = files_.find(key); it != files_.end()) {
    it->second.readOnly = readOnly;
  } else if (readOnly) {
    readOnlyFolders_.insert(key);
  } else {
    readOnlyFolders_.erase(key);
  }
}

void MemoryFileSystem::SetUnreadable(const std::string& path, bool unreadable) {
  auto it = files_.find(Key(path));
  if (it != files_.end()) it->second.unreadable = unreadable;
}

std::vector<std::string> MemoryFileSystem::FilePaths() const {
  std::vector<std::string> paths;
  for (const auto& [key, entry] : files_) paths.push_back(entry.path);
  return paths;
}

std::optional<std::string> MemoryFileSystem::ReadFile(const std::string& path) {
  ++reads_;
  CountNetworkLook(path);
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  if (it->second.unreadable) throw Error(FormatMessage1("Unable to read %s", path));
  return it->second.bytes;
}

bool MemoryFileSystem::FileExists(const std::string& path) {
  CountNetworkLook(path);
  return files_.count(Key(path)) > 0;
}

bool MemoryFileSystem::DirectoryExists(const std::string& path) {
  CountNetworkLook(path);
  return folders_.count(Key(path)) > 0;
}

bool MemoryFileSystem::CheckWritable(const std::string& path) {
  ++checks_;
  std::string key = Key(path);
  auto it = files_.find(key);
  return !failWrites_ && FolderAccepts(key) && !folders_.count(key) &&
         (it == files_.end() || !it->second.readOnly);
}

bool MemoryFileSystem::CreateFolder(const std::string& path) {
  const std::string key = Key(path);
  if (folders_.count(key)) return true;
  if (failWrites_ || files_.count(key) || !FolderAccepts(key)) return false;
  folders_.insert(key);
  return true;
}

void MemoryFileSystem::WriteFileAtomic(const std::string& path, std::string_view bytes) {
  ++writes_;
  std::string key = Key(path);
  auto it = files_.find(key);
  if (failWrites_ || !FolderAccepts(key) || folders_.count(key) ||
      (it != files_.end() && it->second.readOnly)) {
    throw Error(FormatMessage1("Unable to write to %s", path));
  }
  Entry& entry = files_[key];
  if (entry.path.empty()) entry.path = Normalize(path);
  entry.bytes.assign(bytes);
}

bool MemoryFileSystem::RemoveFile(const std::string& path) {
  std::string key = Key(path);
  auto it = files_.find(key);
  if (it == files_.end() || it->second.readOnly || failWrites_ ||
      readOnlyFolders_.count(Parent(key))) {
    return false;
  }
  files_.erase(it);
  return true;
}

std::vector<std::string> MemoryFileSystem::ListFiles(const std::string& folder,
                                                     const std::string& pattern) {
  std::string folderKey = Key(folder);
  std::vector<std::string> names;
  for (const auto& [key, entry] : files_) {
    if (Parent(key) != folderKey) continue;
    std::string name = entry.path.substr(entry.path.rfind('\\') + 1);
    if (WildcardMatch(name, pattern)) names.push_back(name);
  }
  return names;
}

}  // namespace tovr
