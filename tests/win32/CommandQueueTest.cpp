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

// Posting returns at once (the jobs run on another thread), the jobs run one after another in
// the order posted, and a queue dropped while a job waits does not wait for it.
TEST(CommandQueueTest, JobsRunInOrderWhilePostingAndDroppingNeverWait) {
  std::mutex mutex;
  std::vector<std::string> ran;
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto queue = std::make_unique<CommandQueue>();
  const DWORD start = GetTickCount();
  for (const char* job : {"open", "close", "open again"}) {
    queue->Post([&, job] {
      Sleep(150);  // as a drive would take
      std::lock_guard lock(mutex);
      ran.push_back(job);
      if (ran.size() == 3) SetEvent(done);
    });
  }
  EXPECT_LT(GetTickCount() - start, 100u) << "posting waited for the jobs";
  ASSERT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(ran, (std::vector<std::string>{"open", "close", "open again"}));

  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);  // left open: see below
  queue->Post([release] { WaitForSingleObject(release, 5000); });
  Sleep(50);
  const DWORD dropping = GetTickCount();
  queue.reset();
  EXPECT_LT(GetTickCount() - dropping, 100u) << "dropping the queue waited for a job";
  SetEvent(release);  // the worker may still be returning from its wait: the handle stays
  CloseHandle(done);
}

}  // namespace
}  // namespace tovr::tweaks::win32
