// What the memory page asks of the system: the memory status, the sources of the processor
// load (the performance data of the NT family, its idle and busy times, the dynamic statistics
// of Windows 9x) and the blocks the defragmenter commits. The Win32 adapters are in
// memory/win32; tests use tests/fakes/FakeMemory.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tovr::memory {

// The memory status in bytes (64-bit counts: right on machines with more than 4 GiB).
struct MemoryStatus {
  std::uint32_t memoryLoad = 0;  // percent of physical memory in use
  std::uint64_t totalPhys = 0, availPhys = 0;
  std::uint64_t totalPageFile = 0, availPageFile = 0;
  std::uint64_t totalVirtual = 0, availVirtual = 0;
};

// Idle, kernel (idle included) and user time of all processors, in 100-nanosecond units.
struct ProcessorTimes {
  std::uint64_t idle = 0, kernel = 0, user = 0;
};

enum class PerfQuery { Ok, MoreData, Failed };

class IMemoryMonitor {
 public:
  virtual ~IMemoryMonitor() = default;
  virtual MemoryStatus ReadMemoryStatus() = 0;
  // The system's platform identifier (2: the NT family); nullopt when it cannot be read.
  virtual std::optional<std::uint32_t> PlatformId() = 0;
  // The performance data of the Processor object (value "238" of the performance data root)
  // into buffer[0, size). On Ok, `size` is the number of bytes written; MoreData: the buffer is
  // too small (`size` tells nothing then).
  virtual PerfQuery QueryProcessorData(std::uint8_t* buffer, std::uint32_t& size) = 0;
  // The processors' times since the system started; nullopt when they cannot be read.
  virtual std::optional<ProcessorTimes> ReadProcessorTimes() = 0;

  // Windows 9x: keys of the dynamic data root. Open gives a key number, or -1 when the key
  // cannot be opened; reading a 32-bit value gives nullopt on failure.
  virtual int OpenDynKey(std::string_view path, bool fullAccess) = 0;
  virtual std::optional<std::uint32_t> ReadDynDword(int key, std::string_view name) = 0;
  virtual void CloseDynKey(int key) = 0;
};

// Fresh memory in blocks, committed read-write with caching off, and released again.
class IBlockAllocator {
 public:
  virtual ~IBlockAllocator() = default;
  // A new committed block of `bytes`; null when it cannot be committed.
  virtual void* Commit(std::size_t bytes) = 0;
  virtual void Release(void* block) = 0;
};

// The memory tool's own ports, wired once for the program (app/win32/WinMain.cpp) and once for
// the tests (tests/fakes/FakeToolPorts.h).
struct MemorySystemPorts {
  IMemoryMonitor& monitor;
  IBlockAllocator& blocks;
};

}  // namespace tovr::memory
