// The POSIX stand-in for thread message queues: one queue per thread, filled by
// PostThreadMessageTo from any thread.
#include "platform/Messages.h"

#include "platform/posix/WindowTable.h"

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {
struct QueuedMessage {
  WindowHandle Window;
  std::uint32_t Msg;
  std::uintptr_t WParam;
  std::intptr_t LParam;
};

struct ThreadQueue {
  std::mutex Lock;
  std::deque<QueuedMessage> Messages;
};

std::mutex gQueuesLock;
std::map<ThreadId, std::shared_ptr<ThreadQueue>>& Queues() {
  static auto* queues = new std::map<ThreadId, std::shared_ptr<ThreadQueue>>();
  return *queues;
}

std::shared_ptr<ThreadQueue> QueueOf(ThreadId thread) {
  std::lock_guard lock(gQueuesLock);
  auto& q = Queues()[thread];
  if (!q) q = std::make_shared<ThreadQueue>();
  return q;
}
}  // namespace

ThreadId CurrentThreadId() { return static_cast<ThreadId>(syscall(SYS_gettid)); }

namespace posix {
bool PostWindowMessage(ThreadId thread, WindowHandle window, std::uint32_t msg, std::uintptr_t wParam,
                       std::intptr_t lParam) {
  if (thread == 0) return false;
  auto q = QueueOf(thread);
  std::lock_guard lock(q->Lock);
  q->Messages.push_back({window, msg, wParam, lParam});
  return true;
}
}  // namespace posix

bool PostThreadMessageTo(ThreadId thread, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  return posix::PostWindowMessage(thread, 0, msg, wParam, lParam);
}

void PostQuit(int exitCode) { PostThreadMessageTo(CurrentThreadId(), WM_QUIT_ID, static_cast<std::uintptr_t>(exitCode), 0); }

int PumpThreadMessages(int maxCount) {
  auto q = QueueOf(CurrentThreadId());
  int handled = 0;
  for (;;) {
    QueuedMessage m;
    {
      std::lock_guard lock(q->Lock);
      if (q->Messages.empty()) break;
      m = q->Messages.front();
      if (m.Msg == WM_QUIT_ID) break;  // stays queued for the thread's own loop
      q->Messages.pop_front();
    }
    // A message without a window is taken but not dispatched.
    if (m.Window) posix::DispatchToWindow(m.Window, {m.Msg, m.WParam, m.LParam, 0, nullptr, 0});
    ++handled;
    if (handled % 10 == 0) sched_yield();
    if (maxCount > 0 && handled >= maxCount) break;
  }
  return handled;
}

bool QuitMessageWaiting(int* exitCode) {
  auto q = QueueOf(CurrentThreadId());
  std::lock_guard lock(q->Lock);
  for (const auto& m : q->Messages)
    if (m.Msg == WM_QUIT_ID) {
      if (exitCode) *exitCode = static_cast<int>(m.WParam);
      return true;
    }
  return false;
}

}  // namespace platform
