// One worker thread that runs posted jobs one after another, in the order they were posted,
// so that a job that blocks (a CD door command waits for the drive) never holds up the
// window's thread. Post returns at once. The thread starts with the first job.
//
// Destroying the queue (at exit) drops the jobs not yet started and waits for a running one
// up to `exitWait`, so that a door command is not cut off in the middle of its call when the
// process ends; a drive that takes longer is left to finish on its own while the exit goes on.
#pragma once

#include <functional>
#include <memory>

namespace tovr::tweaks::win32 {

class CommandQueue {
 public:
  explicit CommandQueue(unsigned exitWaitMs = 2000);
  ~CommandQueue();
  CommandQueue(const CommandQueue&) = delete;
  CommandQueue& operator=(const CommandQueue&) = delete;

  void Post(std::function<void()> job);

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
  unsigned exitWaitMs_;
};

}  // namespace tovr::tweaks::win32
