#include "memory/PerfDataWalker.h"

namespace tovr::memory {

namespace {

// Field offsets and the fixed sizes of the structures, the same in 32- and 64-bit Windows
// (the pointer-sized fields of the 32-bit headers are 4 bytes there, DWORDs in 64-bit).
constexpr std::size_t kBlockTotalByteLength = 20, kBlockHeaderLength = 24, kBlockNumObjectTypes = 28,
                      kBlockSystemTime = 36, kBlockMinHeader = 88;
constexpr std::size_t kObjTotalByteLength = 0, kObjDefinitionLength = 4, kObjHeaderLength = 8,
                      kObjNameTitleIndex = 12, kObjNumCounters = 32, kObjNumInstances = 40,
                      kObjMinHeader = 64;
constexpr std::size_t kCtrByteLength = 0, kCtrNameTitleIndex = 4, kCtrCounterOffset = 36,
                      kCtrMinSize = 40;
constexpr std::size_t kInstByteLength = 0, kInstMinSize = 24;
constexpr std::size_t kCounterBlockMinSize = 4;

// Little-endian reads of a field that is known to lie inside the bytes.
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::int64_t I64(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(U32(b, at)) |
                                   static_cast<std::uint64_t>(U32(b, at + 4)) << 32);
}

// True when [at, at + length) lies inside `size` bytes, without overflow.
bool Fits(std::size_t size, std::size_t at, std::size_t length) { return at <= size && length <= size - at; }

}  // namespace

std::int64_t SystemTimeTo100ns(int year, int month, int day, int hour, int minute, int second,
                               int millisecond) {
  if (year < 1601 || year > 30827 || month < 1 || month > 12 || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59 || second < 0 || second > 59 || millisecond < 0 || millisecond > 999) {
    return -1;
  }
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int monthDays = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  if (day < 1 || day > monthDays) return -1;
  // Days from 1601-01-01 (days-from-civil, with March as the first month of the year).
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = y / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const std::int64_t daysFrom0000 = era * 146097 + doe;
  constexpr std::int64_t kDaysTo1601 = 584694;  // 0000-03-01 to 1601-01-01
  const std::int64_t days = daysFrom0000 - kDaysTo1601;
  const std::int64_t ms = ((days * 24 + hour) * 60 + minute) * 60000 + second * 1000 + millisecond;
  return ms * 10000;
}

ProcessorLocation LocateProcessorTimes(std::span<const std::uint8_t> bytes) {
  ProcessorLocation out;
  if (bytes.size() < kBlockMinHeader) return out;
  const std::size_t total = U32(bytes, kBlockTotalByteLength);
  if (total < kBlockMinHeader || total > bytes.size()) return out;
  const auto block = bytes.first(total);
  const std::size_t header = U32(block, kBlockHeaderLength);
  if (header < kBlockMinHeader || header > total) return out;
  out.sampleTime = SystemTimeTo100ns(U16(block, kBlockSystemTime), U16(block, kBlockSystemTime + 2),
                                     U16(block, kBlockSystemTime + 6), U16(block, kBlockSystemTime + 8),
                                     U16(block, kBlockSystemTime + 10), U16(block, kBlockSystemTime + 12),
                                     U16(block, kBlockSystemTime + 14));
  if (out.sampleTime < 0) return out;

  // The objects: each must hold at least its fixed header, so the walk ends within the block.
  const std::uint32_t objects = U32(block, kBlockNumObjectTypes);
  std::size_t at = header;
  bool found = false;
  for (std::uint32_t i = 0; i < objects; ++i) {
    if (!Fits(total, at, kObjMinHeader)) return out;
    const std::size_t length = U32(block, at + kObjTotalByteLength);
    if (length < kObjMinHeader || !Fits(total, at, length)) return out;
    if (U32(block, at + kObjNameTitleIndex) == kProcessorObjectIndex) {
      found = true;
      break;
    }
    at += length;
  }
  if (!found) {
    out.status = PerfStatus::NoProcessorObject;
    return out;
  }
  const std::size_t objectLength = U32(block, at + kObjTotalByteLength);
  const auto object = block.subspan(at, objectLength);
  const std::size_t definitions = U32(object, kObjDefinitionLength);
  const std::size_t objectHeader = U32(object, kObjHeaderLength);
  if (objectHeader < kObjMinHeader || definitions < objectHeader || definitions > objectLength) return out;

  // The counter definitions lie between the object's header and its instances.
  const std::uint32_t counters = U32(object, kObjNumCounters);
  std::size_t c = objectHeader;
  bool counterFound = false;
  for (std::uint32_t i = 0; i < counters; ++i) {
    if (!Fits(definitions, c, kCtrMinSize)) return out;
    const std::size_t length = U32(object, c + kCtrByteLength);
    if (length < kCtrMinSize || !Fits(definitions, c, length)) return out;
    if (U32(object, c + kCtrNameTitleIndex) == kProcessorTimeCounterIndex) {
      counterFound = true;
      break;
    }
    c += length;
  }
  if (!counterFound) {
    out.status = PerfStatus::NoProcessorCounter;
    return out;
  }
  const std::uint32_t counterOffset = U32(object, c + kCtrCounterOffset);

  // Every instance takes at least an instance header and a counter block: a count that could
  // not fit is a lie (and would size the counter arrays).
  const auto instances = static_cast<std::int32_t>(U32(object, kObjNumInstances));
  const std::size_t room = objectLength - definitions;
  if (instances < 1 || static_cast<std::size_t>(instances) > room / (kInstMinSize + kCounterBlockMinSize)) {
    return out;
  }
  out.status = PerfStatus::Ok;
  out.object = at;
  out.counterOffset = counterOffset;
  out.instances = instances;
  return out;
}

PerfStatus ReadProcessorTimes(std::span<const std::uint8_t> bytes, const ProcessorLocation& where,
                              std::span<std::int64_t> times) {
  if (where.status != PerfStatus::Ok || !Fits(bytes.size(), where.object, kObjMinHeader)) {
    return PerfStatus::Malformed;
  }
  const std::size_t objectLength = U32(bytes, where.object + kObjTotalByteLength);
  if (!Fits(bytes.size(), where.object, objectLength)) return PerfStatus::Malformed;
  const auto object = bytes.subspan(where.object, objectLength);
  std::size_t at = U32(object, kObjDefinitionLength);
  for (std::int64_t& value : times) {
    if (!Fits(objectLength, at, kInstMinSize)) return PerfStatus::Malformed;
    const std::size_t instanceLength = U32(object, at + kInstByteLength);
    if (instanceLength < kInstMinSize || !Fits(objectLength, at, instanceLength)) return PerfStatus::Malformed;
    const std::size_t counterBlock = at + instanceLength;
    if (!Fits(objectLength, counterBlock, kCounterBlockMinSize)) return PerfStatus::Malformed;
    const std::size_t blockLength = U32(object, counterBlock);
    if (blockLength < kCounterBlockMinSize || !Fits(objectLength, counterBlock, blockLength)) {
      return PerfStatus::Malformed;
    }
    if (!Fits(blockLength, where.counterOffset, 8)) return PerfStatus::Malformed;
    value = I64(object, counterBlock + where.counterOffset);
    at = counterBlock + blockLength;
  }
  return PerfStatus::Ok;
}

}  // namespace tovr::memory
