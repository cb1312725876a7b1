#include "memory/win32/Win32MemoryMonitor.h"

#include <winperf.h>

#include <cstddef>

#include "base/win32/Wide.h"

namespace tovr::memory::win32 {

// The walker reads the system's structures at these offsets (memory/PerfDataWalker.cpp).
static_assert(offsetof(PERF_DATA_BLOCK, TotalByteLength) == 20 && offsetof(PERF_DATA_BLOCK, HeaderLength) == 24 &&
              offsetof(PERF_DATA_BLOCK, NumObjectTypes) == 28 && offsetof(PERF_DATA_BLOCK, SystemTime) == 36 &&
              sizeof(PERF_DATA_BLOCK) == 88);
static_assert(offsetof(PERF_OBJECT_TYPE, DefinitionLength) == 4 && offsetof(PERF_OBJECT_TYPE, HeaderLength) == 8 &&
              offsetof(PERF_OBJECT_TYPE, ObjectNameTitleIndex) == 12 && offsetof(PERF_OBJECT_TYPE, NumCounters) == 32 &&
              offsetof(PERF_OBJECT_TYPE, NumInstances) == 40);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex) == 4 &&
              offsetof(PERF_COUNTER_DEFINITION, CounterOffset) == 36 && sizeof(PERF_COUNTER_DEFINITION) == 40);
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == 24);

namespace {

std::uint64_t Ticks(const FILETIME& t) { return static_cast<std::uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

}  // namespace

Win32MemoryMonitor::~Win32MemoryMonitor() {
  for (HKEY key : dynKeys_) {
    if (key) RegCloseKey(key);
  }
  if (perfQueried_) RegCloseKey(HKEY_PERFORMANCE_DATA);
}

MemoryStatus Win32MemoryMonitor::ReadMemoryStatus() {
  MEMORYSTATUSEX s{};
  s.dwLength = sizeof s;
  if (!GlobalMemoryStatusEx(&s)) return {};
  return {s.dwMemoryLoad, s.ullTotalPhys, s.ullAvailPhys, s.ullTotalPageFile, s.ullAvailPageFile,
          s.ullTotalVirtual, s.ullAvailVirtual};
}

std::optional<std::uint32_t> Win32MemoryMonitor::PlatformId() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExW(&version)) return std::nullopt;
  return version.dwPlatformId;
}

PerfQuery Win32MemoryMonitor::QueryProcessorData(std::uint8_t* buffer, std::uint32_t& size) {
  perfQueried_ = true;
  DWORD type = 0;
  DWORD bytes = size;
  const LONG result = RegQueryValueExW(HKEY_PERFORMANCE_DATA, L"238", nullptr, &type, buffer, &bytes);
  if (result == ERROR_MORE_DATA) return PerfQuery::MoreData;
  if (result != ERROR_SUCCESS) return PerfQuery::Failed;
  size = bytes;
  return PerfQuery::Ok;
}

std::optional<ProcessorTimes> Win32MemoryMonitor::ReadProcessorTimes() {
  FILETIME idle{}, kernel{}, user{};
  if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
  return ProcessorTimes{Ticks(idle), Ticks(kernel), Ticks(user)};
}

int Win32MemoryMonitor::OpenDynKey(std::string_view path, bool fullAccess) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_DYN_DATA, Widen(path).c_str(), 0, fullAccess ? KEY_ALL_ACCESS : KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return -1;
  }
  dynKeys_.push_back(key);
  return static_cast<int>(dynKeys_.size()) - 1;
}

std::optional<std::uint32_t> Win32MemoryMonitor::ReadDynDword(int key, std::string_view name) {
  if (key < 0 || static_cast<std::size_t>(key) >= dynKeys_.size() || !dynKeys_[static_cast<std::size_t>(key)]) {
    return std::nullopt;
  }
  DWORD value = 0, size = sizeof value, type = 0;
  if (RegQueryValueExW(dynKeys_[static_cast<std::size_t>(key)], Widen(name).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      size != sizeof value) {
    return std::nullopt;
  }
  return value;
}

void Win32MemoryMonitor::CloseDynKey(int key) {
  if (key < 0 || static_cast<std::size_t>(key) >= dynKeys_.size()) return;
  if (HKEY& k = dynKeys_[static_cast<std::size_t>(key)]) {
    RegCloseKey(k);
    k = nullptr;
  }
}

}  // namespace tovr::memory::win32
