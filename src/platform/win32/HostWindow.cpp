#include "platform/HostWindow.h"

#include <windows.h>

namespace platform {

bool PostToWindow(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  return window && PostMessageA(reinterpret_cast<HWND>(window), msg, wParam, lParam) != FALSE;
}

bool SendToWindow(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                  std::uint32_t timeoutMs) {
  if (!window) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(reinterpret_cast<HWND>(window), msg, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             timeoutMs, &result) != 0;
}

bool SendCopyData(WindowHandle window, std::uintptr_t wParam, std::uintptr_t dwData, const void* data,
                  std::uint32_t size, std::uint32_t timeoutMs) {
  COPYDATASTRUCT cds{};
  cds.dwData = dwData;
  cds.cbData = size;
  cds.lpData = const_cast<void*>(data);
  return SendToWindow(window, WM_COPYDATA, wParam, reinterpret_cast<LPARAM>(&cds), timeoutMs);
}

}  // namespace platform
