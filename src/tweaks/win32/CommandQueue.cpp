#include "tweaks/win32/CommandQueue.h"

#include <chrono>
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
  bool running = false;  // a job is in its call
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
      shared->running = true;
    }
    job();
    {
      std::lock_guard lock(shared->mutex);
      shared->running = false;
    }
    shared->wake.notify_all();
  }
}

}  // namespace

CommandQueue::CommandQueue(unsigned exitWaitMs) : shared_(std::make_shared<Shared>()), exitWaitMs_(exitWaitMs) {}

CommandQueue::~CommandQueue() {
  std::unique_lock lock(shared_->mutex);
  shared_->stopping = true;
  shared_->jobs.clear();
  shared_->wake.notify_all();
  shared_->wake.wait_for(lock, std::chrono::milliseconds(exitWaitMs_), [this] { return !shared_->running; });
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
