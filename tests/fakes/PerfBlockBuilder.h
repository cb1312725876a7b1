// Synthetic performance data blocks in the layout the registry's performance data root
// answers: a PERF_DATA_BLOCK header, objects, the Processor object's counter definitions and
// its instances, each with its counter block. For the walker's tests and fuzz target.
#pragma once

#include <cstdint>
#include <vector>

namespace tovr {

struct PerfBlockSpec {
  int year = 2024, month = 5, day = 6, hour = 7, minute = 8, second = 9, millisecond = 0;
  std::vector<std::uint32_t> objectsBefore = {2};  // name indexes of objects before Processor
  bool withProcessor = true;
  std::vector<std::uint32_t> countersBefore = {142, 144};  // counters before processor time
  bool withTimeCounter = true;
  std::vector<std::int64_t> idle = {0};  // the processor time counter of each instance
};

namespace perfblock {
inline void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void Put16(std::vector<std::uint8_t>& b, std::size_t at, int v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void Put64(std::vector<std::uint8_t>& b, std::size_t at, std::int64_t v) {
  Put32(b, at, static_cast<std::uint32_t>(v));
  Put32(b, at + 4, static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32));
}
// An object of `index` with `counters` definitions and `instances` instances (each counter
// 8 bytes in each counter block, after 8 bytes of block header); returns its bytes.
inline std::vector<std::uint8_t> Object(std::uint32_t index, const std::vector<std::uint32_t>& counters,
                                        const std::vector<std::int64_t>& perInstance, std::size_t timeCounter) {
  const std::size_t header = 64, definition = header + 40 * counters.size();
  const std::size_t instance = 32, counterBlock = 8 + 8 * counters.size();
  std::vector<std::uint8_t> o(definition + perInstance.size() * (instance + counterBlock));
  Put32(o, 0, static_cast<std::uint32_t>(o.size()));
  Put32(o, 4, static_cast<std::uint32_t>(definition));
  Put32(o, 8, static_cast<std::uint32_t>(header));
  Put32(o, 12, index);
  Put32(o, 32, static_cast<std::uint32_t>(counters.size()));
  Put32(o, 40, static_cast<std::uint32_t>(perInstance.size()));
  for (std::size_t c = 0; c < counters.size(); ++c) {
    const std::size_t at = header + 40 * c;
    Put32(o, at, 40);
    Put32(o, at + 4, counters[c]);
    Put32(o, at + 32, 8);
    Put32(o, at + 36, static_cast<std::uint32_t>(8 + 8 * c));
  }
  for (std::size_t i = 0; i < perInstance.size(); ++i) {
    const std::size_t at = definition + i * (instance + counterBlock);
    Put32(o, at, static_cast<std::uint32_t>(instance));
    Put32(o, at + 16, 24);  // the name "0" right after the header
    Put32(o, at + 20, 4);
    Put16(o, at + 24, '0' + static_cast<int>(i % 10));
    Put32(o, at + instance, static_cast<std::uint32_t>(counterBlock));
    for (std::size_t c = 0; c < counters.size(); ++c) {
      const std::int64_t value = c == timeCounter ? perInstance[i] : static_cast<std::int64_t>(1000 * c + i);
      Put64(o, at + instance + 8 + 8 * c, value);
    }
  }
  return o;
}
}  // namespace perfblock

inline std::vector<std::uint8_t> BuildPerfBlock(const PerfBlockSpec& spec) {
  using namespace perfblock;
  std::vector<std::uint8_t> b(88);
  const char16_t signature[] = u"PERF";
  for (int i = 0; i < 4; ++i) Put16(b, 2 * static_cast<std::size_t>(i), signature[i]);
  Put32(b, 8, 1);
  Put32(b, 12, 1);
  Put32(b, 24, 88);
  Put16(b, 36, spec.year);
  Put16(b, 38, spec.month);
  Put16(b, 42, spec.day);
  Put16(b, 44, spec.hour);
  Put16(b, 46, spec.minute);
  Put16(b, 48, spec.second);
  Put16(b, 50, spec.millisecond);
  std::uint32_t objects = 0;
  auto append = [&](const std::vector<std::uint8_t>& o) {
    b.insert(b.end(), o.begin(), o.end());
    ++objects;
  };
  for (std::uint32_t index : spec.objectsBefore) append(Object(index, {6, 10}, {1, 2}, 0));
  if (spec.withProcessor) {
    std::vector<std::uint32_t> counters = spec.countersBefore;
    if (spec.withTimeCounter) counters.push_back(6);
    append(Object(238, counters, spec.idle, spec.withTimeCounter ? counters.size() - 1 : counters.size()));
  }
  Put32(b, 20, static_cast<std::uint32_t>(b.size()));
  Put32(b, 28, objects);
  return b;
}

}  // namespace tovr
