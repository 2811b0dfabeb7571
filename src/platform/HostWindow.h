// Messages to the host's window: posting, sending with a time-out, and copy-data
// blocks. On Windows the host window is a real window (PostMessage,
// SendMessageTimeout, WM_COPYDATA); on POSIX the host program exports a message sink
// that stands in for its window.
#pragma once

#include <cstdint>

#include "platform/Messages.h"

namespace platform {

constexpr std::uint32_t WM_COPYDATA_ID = 0x004A;

bool PostToWindow(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
// Sends and waits at most timeoutMs, not at all for a hung window; false on failure.
bool SendToWindow(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                  std::uint32_t timeoutMs);
// Sends a copy-data block (dwData, bytes) the same way.
bool SendCopyData(WindowHandle window, std::uintptr_t wParam, std::uintptr_t dwData, const void* data,
                  std::uint32_t size, std::uint32_t timeoutMs);

// The POSIX host's sink, exported by the host program under this name. sent is 0 for
// a posted message, 1 for a sent one; copy-data blocks arrive sent, with msg
// WM_COPYDATA_ID and dwData/data/size set. Returns non-zero when the message was
// accepted.
using HostMessageSinkProc = std::int32_t (*)(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam,
                                             std::intptr_t lParam, std::uint32_t sent, std::uintptr_t dwData,
                                             const void* data, std::uint32_t size);
constexpr const char* HostMessageSinkName = "VelmoraHostMessageSink";

}  // namespace platform
