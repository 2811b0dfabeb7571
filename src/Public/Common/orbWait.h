// Waiting that keeps window messages flowing: the thread's message pump and the
// polling wait on byte flags.
#pragma once

#include <atomic>
#include <cstdint>
#include <initializer_list>

namespace orb {

// Dispatches the calling thread's waiting messages, at most maxCount (0: all).
int ProcessThreadMessages(int maxCount = 0);

enum : std::uint32_t {
  wwfDontStopOnTerminate = 1,  // keep waiting while the application terminates
  wwfNoMessages = 2,           // do not pump messages while waiting
};

// A byte flag that other threads set and clear while someone waits on it.
using TWaitFlag = std::atomic<std::uint8_t>;

// Waits while every flag byte is non-zero: True once one is zero; False on time-out
// (timeoutMs 0: none), a nil flag pointer, or application termination.
bool WaitWhileFlags(std::uint32_t timeoutMs, std::initializer_list<const TWaitFlag*> flags, std::uint32_t options = 0);

// The process is shutting down (the library is being finalised).
bool ApplicationTerminating();
void SetApplicationTerminating(bool terminating);

}  // namespace orb
