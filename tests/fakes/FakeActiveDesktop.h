// The Active Desktop object in memory: whether it can be created, and every call it took.
#pragma once

#include <string>
#include <vector>

#include "platform/ActiveDesktop.h"

namespace tovr {

class FakeActiveDesktop final : public IActiveDesktopObject {
 public:
  bool Ensure() override {
    if (creatable) created = true;
    return created;
  }
  bool SetWallpaper(const std::string& path) override {
    if (!created) return false;
    calls.push_back("SetWallpaper(" + path + ")");
    return accepts;
  }
  bool ApplyChanges(unsigned flags) override {
    if (!created) return false;
    calls.push_back("ApplyChanges(" + std::to_string(flags) + ")");
    return true;
  }

  bool creatable = true;  // false: as on systems without Active Desktop
  bool accepts = true;    // false: SetWallpaper refuses every file (Wine's object)
  bool created = false;
  std::vector<std::string> calls;
};

}  // namespace tovr
