#include "Public/Common/orbWait.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "Public/Common/orbTimeout.h"
#include "platform/Messages.h"

namespace orb {

namespace {
std::atomic<bool> gTerminating{false};

// 1: every flag set; 0: some flag clear; -1: a nil pointer. The first deciding entry
// in list order wins.
int FlagState(std::initializer_list<const TWaitFlag*> flags) {
  for (const TWaitFlag* f : flags) {
    if (!f) return -1;
    if (f->load(std::memory_order_acquire) == 0) return 0;
  }
  return 1;
}
}  // namespace

bool ApplicationTerminating() { return gTerminating.load(std::memory_order_relaxed); }
void SetApplicationTerminating(bool terminating) { gTerminating.store(terminating, std::memory_order_relaxed); }

int ProcessThreadMessages(int maxCount) { return platform::PumpThreadMessages(maxCount); }

bool WaitWhileFlags(std::uint32_t timeoutMs, std::initializer_list<const TWaitFlag*> flags, std::uint32_t options) {
  TTimeout timeout;
  if (timeoutMs) StartTimeout(timeout, timeoutMs);
  int state = FlagState(flags);
  while (state == 1) {
    if (!(options & wwfNoMessages)) {
      try {
        ProcessThreadMessages(0);
      } catch (...) {
        // A failing message handler must not end the wait.
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    state = FlagState(flags);
    if (state != 1) break;
    if (timeoutMs && TimedOut(timeout)) break;
    if (!(options & wwfDontStopOnTerminate) && ApplicationTerminating()) break;
  }
  return state == 0;
}

}  // namespace orb
