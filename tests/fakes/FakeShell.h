// In-memory shell for the shortcut tests: icon indexes by path, shell links by path, and a
// record of the links written and resolved.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "base/Error.h"
#include "base/Text.h"
#include "platform/ShellPorts.h"

namespace tovr {

// Icon indexes given by path (ASCII case ignored); any other path gets `defaultIndex`.
class FakeShellIcons final : public IShellIcons {
 public:
  std::map<std::string, int> icons;  // keys folded with text::AsciiLower
  int defaultIndex = 7;
  int calls = 0;
  // Icons by type alone: a file's, and the folder's one higher.
  static constexpr int kTypeFileIndex = 20;
  std::vector<std::string> typeLookups;

  void Set(const std::string& path, int index) { icons[text::AsciiLower(path)] = index; }
  int ShellIconIndex(const std::string& path) override {
    ++calls;
    auto it = icons.find(text::AsciiLower(path));
    return it == icons.end() ? defaultIndex : it->second;
  }
  int TypeIconIndex(const std::string& path, bool folder) override {
    typeLookups.push_back(path);
    return kTypeFileIndex + folder;
  }
};

// Shell links by path (ASCII case ignored). A link not set reads as unloadable: the error
// carries a system-like text, as the adapter's does.
class FakeShellLinks final : public IShellLinks {
 public:
  struct Written {
    std::string target, linkPath, workDir, description;
  };
  std::map<std::string, std::string> links;  // folded link path -> stored target
  std::vector<std::string> resolved;          // link paths asked for, in order
  std::vector<Written> written;
  bool failWrites = false;
  bool denyWrites = false;  // as a folder this user may not write
  int attempts = 0;         // CreateShellLink calls, saved or not

  void Set(const std::string& linkPath, const std::string& target) {
    links[text::AsciiLower(linkPath)] = target;
  }
  std::string ResolveShellLink(const std::string& linkPath) override {
    resolved.push_back(linkPath);
    auto it = links.find(text::AsciiLower(linkPath));
    if (it == links.end()) throw Error("系统找不到指定的文件。");
    return it->second;
  }
  LinkSaveResult CreateShellLink(const std::string& target, const std::string& linkPath,
                                 const std::string& workDir,
                                 const std::string& description) override {
    ++attempts;
    if (denyWrites) return {false, true, "拒绝访问。"};
    if (failWrites) return {false, false, "文件名、目录名或卷标语法不正确。"};
    written.push_back({target, linkPath, workDir, description});
    Set(linkPath, target);
    return {true, false, {}};
  }
};

}  // namespace tovr
