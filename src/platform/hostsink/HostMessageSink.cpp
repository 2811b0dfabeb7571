// The message sink a POSIX host program exports: the library finds it by name and
// reaches the host's message windows through it, as it reaches a window on Windows.
#include <cstdint>

#include "platform/HostWindow.h"
#include "platform/MessageWindow.h"

extern "C" __attribute__((visibility("default"))) std::int32_t VelmoraHostMessageSink(
    platform::WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam, std::uint32_t sent,
    std::uintptr_t dwData, const void* data, std::uint32_t size) {
  return platform::DeliverWindowMessage(window, msg, wParam, lParam, sent, dwData, data, size);
}

static_assert(sizeof(&VelmoraHostMessageSink) == sizeof(platform::HostMessageSinkProc));
