// POSIX stand-in for windows: handles name handlers that live on one thread.
#pragma once

#include <cstdint>

#include "platform/MessageWindow.h"

namespace platform::posix {

// Runs the window's handler for a message (on the calling thread); false when the
// window does not exist.
bool DispatchToWindow(WindowHandle window, const WindowMessage& message);
// The thread a window was created on; 0 when it does not exist.
ThreadId WindowThread(WindowHandle window);
// Queues a posted message for a window on its thread.
bool PostWindowMessage(ThreadId thread, WindowHandle window, std::uint32_t msg, std::uintptr_t wParam,
                       std::intptr_t lParam);

}  // namespace platform::posix
