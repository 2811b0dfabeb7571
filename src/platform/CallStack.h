// The call stack: readable text of it for error reports, the bounds of the calling
// thread's stack (so that deep recursion stops before the stack ends, however small a
// host made its threads), and a thread with a stack of a chosen size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// One return address per line (hexadecimal), innermost first; empty when unknown.
std::string CallStackText();

// The calling thread's stack: the lowest address it may grow down to and its whole
// size in bytes; both 0 when the system does not tell. Asked of the system once per
// thread.
struct StackBounds {
  std::uintptr_t Low = 0;
  std::size_t Size = 0;
};
StackBounds CurrentStackBounds();

// Runs work on a new thread with a stack of stackBytes (at least the system's
// minimum) and waits for it; what work raises is raised here. False when no thread
// could be started.
bool RunOnThreadWithStack(std::size_t stackBytes, const std::function<void()>& work);

}  // namespace platform
