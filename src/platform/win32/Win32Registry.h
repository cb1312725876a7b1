// The registry port on the Win32 registry functions (advapi32, W variants). Keys are opened
// with KEY_ALL_ACCESS for one operation and closed when the key object goes.
#pragma once

#include "platform/Registry.h"

namespace tovr {

class Win32Registry final : public IRegistry {
 public:
  std::unique_ptr<IRegistryKey> Open(RegRoot root, std::string_view path, RegOpen mode) override;
  bool KeyExists(RegRoot root, std::string_view path) override;
  bool DeleteKey(RegRoot root, std::string_view path) override;
};

}  // namespace tovr
