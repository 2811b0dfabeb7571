#include "platform/Messages.h"

#include <windows.h>

namespace platform {

ThreadId CurrentThreadId() { return GetCurrentThreadId(); }

bool PostThreadMessageTo(ThreadId thread, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  return PostThreadMessageA(thread, msg, wParam, lParam) != FALSE;
}

void PostQuit(int exitCode) { PostQuitMessage(exitCode); }

int PumpThreadMessages(int maxCount) {
  int handled = 0;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The thread's own loop must still see it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.hwnd) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    ++handled;
    if (handled % 10 == 0) Sleep(0);
    if (maxCount > 0 && handled >= maxCount) break;
  }
  return handled;
}

bool QuitMessageWaiting(int* exitCode) {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return false;
  if (exitCode) *exitCode = static_cast<int>(msg.wParam);
  return true;
}

}  // namespace platform
