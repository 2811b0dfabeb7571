// A hidden window that only receives messages: the host's receiver of the module's
// notifications and log blocks. On Windows a message-only window; on POSIX a handler
// registered under a handle, reached through the host program's exported sink.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Messages.h"

namespace platform {

struct WindowMessage {
  std::uint32_t Msg;
  std::uintptr_t WParam;
  std::intptr_t LParam;
  // For copy-data blocks: the block's kind and bytes (valid during the call only).
  std::uintptr_t CopyKind;
  const void* Data;
  std::uint32_t Size;
};

class MessageWindow {
public:
  using Handler = std::function<void(const WindowMessage&)>;
  MessageWindow() = default;
  ~MessageWindow() { Destroy(); }
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  // Creates the window on the calling thread; its messages are dispatched there.
  bool Create(Handler handler);
  void Destroy();
  WindowHandle Handle() const { return FHandle; }

private:
  WindowHandle FHandle = 0;
  Handler* FHandler = nullptr;
};

// POSIX: hands a message from the library to the window it names: posted messages
// queue on the window's thread, sent ones and copy-data blocks run at once. Returns
// non-zero when the window exists. (The host program's exported sink calls this.)
std::int32_t DeliverWindowMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::uint32_t sent, std::uintptr_t dwData, const void* data, std::uint32_t size);

}  // namespace platform
