// The memory page's system port on Win32: GlobalMemoryStatusEx (64-bit counts), the platform
// from GetVersionExW, the Processor object from the performance data root (value "238"; the
// root is closed when the monitor goes), GetSystemTimes, and the keys of the dynamic data
// root that Windows 9x keeps its statistics under.
#pragma once

#include <windows.h>

#include <vector>

#include "memory/MemoryPorts.h"

namespace tovr::memory::win32 {

class Win32MemoryMonitor final : public IMemoryMonitor {
 public:
  Win32MemoryMonitor() = default;
  ~Win32MemoryMonitor() override;
  Win32MemoryMonitor(const Win32MemoryMonitor&) = delete;
  Win32MemoryMonitor& operator=(const Win32MemoryMonitor&) = delete;

  MemoryStatus ReadMemoryStatus() override;
  std::optional<std::uint32_t> PlatformId() override;
  PerfQuery QueryProcessorData(std::uint8_t* buffer, std::uint32_t& size) override;
  std::optional<ProcessorTimes> ReadProcessorTimes() override;
  int OpenDynKey(std::string_view path, bool fullAccess) override;
  std::optional<std::uint32_t> ReadDynDword(int key, std::string_view name) override;
  void CloseDynKey(int key) override;

 private:
  bool perfQueried_ = false;
  std::vector<HKEY> dynKeys_;  // by key number; null once closed
};

}  // namespace tovr::memory::win32
