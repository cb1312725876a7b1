#include "tweaks/win32/CommandQueue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace tovr::tweaks::win32 {

// Owned jointly by the queue and its thread, so the thread may outlive the queue.
struct CommandQueue::Shared {
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<std::function<void()>> jobs;
  bool started = false;
  bool stopping = false;
};

namespace {

void Work(const std::shared_ptr<CommandQueue::Shared>& shared) {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock lock(shared->mutex);
      shared->wake.wait(lock, [&] { return shared->stopping || !shared->jobs.empty(); });
      if (shared->stopping) return;
      job = std::move(shared->jobs.front());
      shared->jobs.pop_front();
    }
    job();
  }
}

}  // namespace

CommandQueue::CommandQueue() : shared_(std::make_shared<Shared>()) {}

CommandQueue::~CommandQueue() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
  }
  shared_->wake.notify_all();
}

void CommandQueue::Post(std::function<void()> job) {
  bool start = false;
  {
    std::lock_guard lock(shared_->mutex);
    shared_->jobs.push_back(std::move(job));
    start = !std::exchange(shared_->started, true);
  }
  if (start) {
    std::thread(Work, shared_).detach();
  } else {
    shared_->wake.notify_one();
  }
}

}  // namespace tovr::tweaks::win32
