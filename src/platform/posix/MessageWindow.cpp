#include "platform/MessageWindow.h"

#include <map>
#include <mutex>

#include "platform/HostWindow.h"
#include "platform/posix/WindowTable.h"

namespace platform {

namespace {
struct WindowEntry {
  ThreadId Thread;
  MessageWindow::Handler* Handler;
};
std::mutex gWindowsLock;
std::map<WindowHandle, WindowEntry>& Windows() {
  static auto* windows = new std::map<WindowHandle, WindowEntry>();
  return *windows;
}
WindowHandle gNextHandle = 0x10000;
}  // namespace

namespace posix {

bool DispatchToWindow(WindowHandle window, const WindowMessage& message) {
  MessageWindow::Handler* handler = nullptr;
  {
    std::lock_guard lock(gWindowsLock);
    auto it = Windows().find(window);
    if (it == Windows().end()) return false;
    handler = it->second.Handler;
  }
  (*handler)(message);
  return true;
}

ThreadId WindowThread(WindowHandle window) {
  std::lock_guard lock(gWindowsLock);
  auto it = Windows().find(window);
  return it == Windows().end() ? 0 : it->second.Thread;
}

}  // namespace posix

bool MessageWindow::Create(Handler handler) {
  Destroy();
  FHandler = new Handler(std::move(handler));
  std::lock_guard lock(gWindowsLock);
  FHandle = gNextHandle++;
  Windows()[FHandle] = {CurrentThreadId(), FHandler};
  return true;
}

void MessageWindow::Destroy() {
  if (!FHandle) return;
  {
    std::lock_guard lock(gWindowsLock);
    Windows().erase(FHandle);
  }
  delete FHandler;
  FHandler = nullptr;
  FHandle = 0;
}

std::int32_t DeliverWindowMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::uint32_t sent, std::uintptr_t dwData, const void* data, std::uint32_t size) {
  ThreadId thread = posix::WindowThread(window);
  if (!thread) return 0;
  if (!sent) return posix::PostWindowMessage(thread, window, msg, wParam, lParam) ? 1 : 0;
  // A sent message runs at once; the host's handlers are thread-safe where it matters.
  return posix::DispatchToWindow(window, {msg, wParam, lParam, dwData, data, size}) ? 1 : 0;
}

}  // namespace platform
