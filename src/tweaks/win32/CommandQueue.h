// One worker thread that runs posted jobs one after another, in the order they were posted,
// so that a job that blocks (a CD door command waits for the drive) never holds up the
// window's thread. Post returns at once. The thread starts with the first job.
//
// Destroying the queue does not wait for a job that is still running (it may wait for a
// drive): the thread finishes it, drops the jobs not yet started and ends by itself; at the
// end of the process Windows ends it in any case.
#pragma once

#include <functional>
#include <memory>

namespace tovr::tweaks::win32 {

class CommandQueue {
 public:
  CommandQueue();
  ~CommandQueue();
  CommandQueue(const CommandQueue&) = delete;
  CommandQueue& operator=(const CommandQueue&) = delete;

  void Post(std::function<void()> job);

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace tovr::tweaks::win32
