#include "platform/MessageWindow.h"

#include <windows.h>

#include "platform/HostWindow.h"

namespace platform {

namespace {
const char* const kClassName = "VelmoraMessageWindow";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* handler = reinterpret_cast<MessageWindow::Handler*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!handler) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_COPYDATA) {
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    (*handler)({msg, wParam, lParam, cds ? cds->dwData : 0, cds ? cds->lpData : nullptr, cds ? cds->cbData : 0});
    return TRUE;
  }
  if (msg >= WM_USER) {
    (*handler)({msg, wParam, lParam, 0, nullptr, 0});
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterWindowClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}
}  // namespace

bool MessageWindow::Create(Handler handler) {
  Destroy();
  if (!RegisterWindowClass()) return false;
  HWND hwnd = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return false;
  FHandler = new Handler(std::move(handler));
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(FHandler));
  FHandle = reinterpret_cast<WindowHandle>(hwnd);
  return true;
}

void MessageWindow::Destroy() {
  if (!FHandle) return;
  HWND hwnd = reinterpret_cast<HWND>(FHandle);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  DestroyWindow(hwnd);
  delete FHandler;
  FHandler = nullptr;
  FHandle = 0;
}

std::int32_t DeliverWindowMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::uint32_t sent, std::uintptr_t dwData, const void* data, std::uint32_t size) {
  if (msg == WM_COPYDATA) return SendCopyData(window, wParam, dwData, data, size, 1000) ? 1 : 0;
  return (sent ? SendToWindow(window, msg, wParam, lParam, 1000) : PostToWindow(window, msg, wParam, lParam)) ? 1 : 0;
}

}  // namespace platform
