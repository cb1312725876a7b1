// The startup list's system port for tests: programs on the search path by name (ASCII case
// ignored); names ordered by their ASCII-folded bytes, then by their bytes.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "base/Text.h"
#include "startup/StartupSystem.h"

namespace tovr::startup {

class FakeStartupSystem final : public IStartupSystem {
 public:
  std::map<std::string, std::string> onPath;  // folded name -> full path

  void Put(const std::string& name, const std::string& path) { onPath[text::AsciiLower(name)] = path; }
  std::optional<std::string> FindOnSearchPath(const std::string& name) override {
    auto it = onPath.find(text::AsciiLower(name));
    return it == onPath.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  int CompareNames(const std::string& a, const std::string& b) override {
    auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
      if (const int d = fold(static_cast<unsigned char>(a[i])) - fold(static_cast<unsigned char>(b[i]))) return d;
    }
    return a.size() != b.size() ? (a.size() < b.size() ? -1 : 1) : a.compare(b);
  }
};

}  // namespace tovr::startup
