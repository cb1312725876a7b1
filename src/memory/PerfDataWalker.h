// Reading the processor times out of a performance data block (PERF_DATA_BLOCK, as the
// registry's performance data root answers value "238"), as pure functions over its bytes.
// Every offset and length is checked against the bytes before anything is read at it, so a
// truncated or lying block is rejected without reading outside it.
//
// The block: a header (its length in HeaderLength) followed by NumObjectTypes objects, each
// next one TotalByteLength after the one before. The Processor object (name index 238) has
// NumCounters counter definitions from its HeaderLength on, each next one ByteLength on; its
// instances start at its DefinitionLength. Each instance is followed, after its ByteLength, by
// a counter block whose ByteLength leads to the next instance. The processor time counter
// (name index 6) is a 64-bit idle time at its CounterOffset within each counter block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tovr::memory {

inline constexpr std::uint32_t kProcessorObjectIndex = 238;
inline constexpr std::uint32_t kProcessorTimeCounterIndex = 6;

enum class PerfStatus {
  Ok,
  NoProcessorObject,   // no object with name index 238 (Wine; a damaged counter store)
  NoProcessorCounter,  // the object has no counter with name index 6
  Malformed,           // an offset or length points outside the block, or cannot be right
};

// Where the processor times are in a block.
struct ProcessorLocation {
  PerfStatus status = PerfStatus::Malformed;
  std::size_t object = 0;         // offset of the Processor object in the block
  std::uint32_t counterOffset = 0;  // of the idle time within each counter block
  std::int32_t instances = 0;     // the object's NumInstances (at least 1 when Ok)
  std::int64_t sampleTime = 0;    // the block's SystemTime in 100 ns since 1601-01-01
};

// Finds the Processor object and its processor time counter. A block whose object has no
// instances, or more than could fit in it, is Malformed.
ProcessorLocation LocateProcessorTimes(std::span<const std::uint8_t> block);

// Reads the idle time of the first times.size() instances of the located object into `times`.
// Ok, or Malformed when an instance or its counter block does not fit (nothing is promised
// about `times` then).
PerfStatus ReadProcessorTimes(std::span<const std::uint8_t> block, const ProcessorLocation& where,
                              std::span<std::int64_t> times);

// A SYSTEMTIME's fields as 100 ns since 1601-01-01 (what SystemTimeToFileTime gives); -1 for a
// date or time that does not exist.
std::int64_t SystemTimeTo100ns(int year, int month, int day, int hour, int minute, int second,
                               int millisecond);

}  // namespace tovr::memory
