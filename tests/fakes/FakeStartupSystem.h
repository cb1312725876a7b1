// The startup list's system port for tests: programs on the search path by name (ASCII case
// ignored); names ordered by their ASCII-folded bytes, then by their bytes; Startup folders as
// set; a clock that stands still; the Recycle Bin takes files out of `files` when it is set.
#pragma once

#include <map>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Text.h"
#include "fakes/MemoryFileSystem.h"
#include "startup/StartupSystem.h"

namespace tovr::startup {

class FakeStartupSystem final : public IStartupSystem {
 public:
  std::map<std::string, std::string> onPath;  // folded name -> full path
  std::string userFolder, commonFolder;       // the Startup folders; empty: none
  bool startupApproved = true;                // false: Windows 7
  std::uint64_t now = 0x01DB000012345678;
  MemoryFileSystem* files = nullptr;
  std::vector<std::string> recycled;

  void Put(const std::string& name, const std::string& path) { onPath[text::AsciiLower(name)] = path; }
  std::optional<std::string> FindOnSearchPath(const std::string& name) override {
    auto it = onPath.find(text::AsciiLower(name));
    return it == onPath.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  // Case-blind order of the bytes, then the bytes themselves.
  std::string SortKey(const std::string& name) override {
    std::string key = name;
    for (char& c : key) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    }
    key += '\0';
    return key + name;
  }
  std::string StartupFolder(bool allUsers) override { return allUsers ? commonFolder : userFolder; }
  bool HasStartupApproved() override { return startupApproved; }
  std::uint64_t Now() override { return now; }
  bool Recycle(const std::string& path) override {
    if (!files || !files->RemoveFile(path)) return false;
    recycled.push_back(path);
    return true;
  }
};

}  // namespace tovr::startup
