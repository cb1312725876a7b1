// The queue that runs the CD door commands: a door command waits for the drive, which must
// never hold up the window's thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tweaks/win32/CommandQueue.h"

namespace tovr::tweaks::win32 {
namespace {

// Posting returns at once (the jobs run on another thread) and the jobs run one after another
// in the order posted.
TEST(CommandQueueTest, JobsRunInOrderAndPostingNeverWaits) {
  std::mutex mutex;
  std::vector<std::string> ran;
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  CommandQueue queue;
  const DWORD start = GetTickCount();
  for (const char* job : {"open", "close", "open again"}) {
    queue.Post([&, job] {
      Sleep(150);  // as a drive would take
      std::lock_guard lock(mutex);
      ran.push_back(job);
      if (ran.size() == 3) SetEvent(done);
    });
  }
  EXPECT_LT(GetTickCount() - start, 100u) << "posting waited for the jobs";
  ASSERT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(ran, (std::vector<std::string>{"open", "close", "open again"}));
  CloseHandle(done);
}

// At exit the queue drops what has not started and lets a running command end its call, but
// waits no longer than its deadline for a drive that takes longer.
TEST(CommandQueueTest, ExitLetsTheRunningCommandEndWithinADeadlineAndDropsTheRest) {
  for (const DWORD jobMs : {300u, 5000u}) {
    SCOPED_TRACE("a job of " + std::to_string(jobMs) + " ms");
    auto ended = std::make_shared<LONG>(0), queuedRan = std::make_shared<LONG>(0);
    auto queue = std::make_unique<CommandQueue>(1000);
    queue->Post([ended, jobMs] {
      Sleep(jobMs);
      InterlockedExchange(ended.get(), 1);
    });
    queue->Post([queuedRan] { InterlockedExchange(queuedRan.get(), 1); });
    Sleep(50);  // the first job is in its call
    const DWORD exiting = GetTickCount();
    queue.reset();
    const DWORD waited = GetTickCount() - exiting;
    if (jobMs < 1000) {
      EXPECT_EQ(*ended, 1) << "cut off in its call";
      EXPECT_LT(waited, 900u);
    } else {
      EXPECT_EQ(*ended, 0);
      EXPECT_GE(waited, 900u);
      EXPECT_LT(waited, 2000u) << "waited past the deadline";
    }
    Sleep(jobMs < 1000 ? 100 : 0);
    EXPECT_EQ(*queuedRan, 0) << "a queued command ran after the exit";
  }
}

}  // namespace
}  // namespace tovr::tweaks::win32
