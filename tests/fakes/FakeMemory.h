// Fakes of the memory page's ports (memory/MemoryPorts.h): a machine whose memory status,
// performance data, processor times and 9x statistics a test sets, and a block allocator that
// hands out real memory, can refuse a chosen commit, and checks at each release that every
// word of the block was written.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "memory/MemoryPorts.h"

namespace tovr {

class FakeMemoryMonitor final : public memory::IMemoryMonitor {
 public:
  memory::MemoryStatus status;
  std::optional<std::uint32_t> platform = 2;
  // The performance data answered: MoreData while the caller's buffer is smaller.
  std::vector<std::uint8_t> perfData;
  bool perfFails = false;
  int perfQueries = 0;
  // The processors' times; nullopt: a system that cannot give them (the performance data serves).
  std::optional<memory::ProcessorTimes> times = memory::ProcessorTimes{};
  // Windows 9x: openable key paths with their "KERNEL\CPUUsage" value (nullopt: unreadable).
  std::map<std::string, std::optional<std::uint32_t>> dynKeys;
  std::vector<std::string> dynLog;  // "open <path>", "read <path>", "close <path>"

  memory::MemoryStatus ReadMemoryStatus() override { return status; }
  std::optional<std::uint32_t> PlatformId() override { return platform; }
  memory::PerfQuery QueryProcessorData(std::uint8_t* buffer, std::uint32_t& size) override {
    ++perfQueries;
    if (perfFails) return memory::PerfQuery::Failed;
    if (size < perfData.size()) return memory::PerfQuery::MoreData;
    std::copy(perfData.begin(), perfData.end(), buffer);
    size = static_cast<std::uint32_t>(perfData.size());
    return memory::PerfQuery::Ok;
  }
  std::optional<memory::ProcessorTimes> ReadProcessorTimes() override { return times; }
  int OpenDynKey(std::string_view path, bool) override {
    dynLog.push_back("open " + std::string(path));
    auto it = dynKeys.find(std::string(path));
    if (it == dynKeys.end()) return -1;
    opened_.push_back(it->first);
    return static_cast<int>(opened_.size()) - 1;
  }
  std::optional<std::uint32_t> ReadDynDword(int key, std::string_view) override {
    dynLog.push_back("read " + opened_.at(static_cast<std::size_t>(key)));
    return dynKeys[opened_.at(static_cast<std::size_t>(key))];
  }
  void CloseDynKey(int key) override { dynLog.push_back("close " + opened_.at(static_cast<std::size_t>(key))); }

 private:
  std::vector<std::string> opened_;
};

class FakeBlockAllocator final : public memory::IBlockAllocator {
 public:
  static constexpr unsigned char kFresh = 0xA5;  // what a new block holds before it is written
  int failAt = -1;             // the commit (0-based) that fails; -1: none
  int commits = 0;             // commits asked for
  int released = 0;
  int unwrittenReleases = 0;   // blocks released with a word not written as 0
  std::vector<std::string> log;  // "commit", "release"; with `progress` events of a test

  void* Commit(std::size_t bytes) override {
    log.emplace_back("commit");
    if (commits++ == failAt) return nullptr;
    void* block = std::malloc(bytes);
    std::memset(block, kFresh, bytes);
    sizes_[block] = bytes;
    return block;
  }
  void Release(void* block) override {
    log.emplace_back("release");
    auto it = sizes_.find(block);
    if (it == sizes_.end()) {
      ++strayReleases;
      return;
    }
    const auto* bytes = static_cast<const unsigned char*>(block);
    if (std::any_of(bytes, bytes + it->second, [](unsigned char b) { return b != 0; })) ++unwrittenReleases;
    std::free(block);
    sizes_.erase(it);
    ++released;
  }
  std::size_t Held() const { return sizes_.size(); }
  int strayReleases = 0;  // releases of something never committed (an empty entry)

 private:
  std::map<void*, std::size_t> sizes_;
};

}  // namespace tovr
