// Window messages of the calling thread: posting to a thread and pumping its queue.
// On Windows these are the system's messages; on POSIX a per-thread queue stands in,
// whose targets are handler functions instead of windows.
#pragma once

#include <cstdint>

namespace platform {

using WindowHandle = std::uintptr_t;
using ThreadId = std::uint32_t;

// Messages the framework cares about (same numbers on every build).
constexpr std::uint32_t WM_QUIT_ID = 0x0012;

ThreadId CurrentThreadId();

// Posts a message without a window to a thread's queue.
bool PostThreadMessageTo(ThreadId thread, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
// Posts the quit message with an exit code to the calling thread.
void PostQuit(int exitCode);

// Takes and dispatches the calling thread's waiting messages until none is left or
// maxCount were handled (0: no limit); returns the number handled. Every tenth message
// yields the time slice; a quit message is put back and ends the pumping; a message
// without a window is taken but not dispatched.
int PumpThreadMessages(int maxCount);

// Whether the calling thread's queue holds a quit message (for tests).
bool QuitMessageWaiting(int* exitCode);

}  // namespace platform
