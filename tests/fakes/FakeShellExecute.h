// A recording IShellExecute: every request in order, answered with `result`.
#pragma once

#include <string>
#include <vector>

#include "platform/ShellExecute.h"

namespace tovr {

class FakeShellExecute final : public IShellExecute {
 public:
  struct Call {
    std::string verb, file, parameters, directory;
    int show = 0;
  };
  std::vector<Call> calls;
  bool result = true;

  bool Open(const std::string& verb, const std::string& file, const std::string& parameters,
            const std::string& directory, int show) override {
    calls.push_back({verb, file, parameters, directory, show});
    return result;
  }
};

}  // namespace tovr
