#include "platform/HostWindow.h"

#include "platform/Modules.h"

namespace platform {

namespace {
// Looked up each time: the lookup is cheap next to what a message costs the host.
HostMessageSinkProc Sink() {
  return reinterpret_cast<HostMessageSinkProc>(FindExport(MainProgramModule(), HostMessageSinkName));
}
}  // namespace

bool PostToWindow(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  HostMessageSinkProc sink = Sink();
  return window && sink && sink(window, msg, wParam, lParam, 0, 0, nullptr, 0) != 0;
}

bool SendToWindow(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                  std::uint32_t) {
  HostMessageSinkProc sink = Sink();
  return window && sink && sink(window, msg, wParam, lParam, 1, 0, nullptr, 0) != 0;
}

bool SendCopyData(WindowHandle window, std::uintptr_t wParam, std::uintptr_t dwData, const void* data,
                  std::uint32_t size, std::uint32_t) {
  HostMessageSinkProc sink = Sink();
  return window && sink && sink(window, WM_COPYDATA_ID, wParam, 0, 1, dwData, data, size) != 0;
}

}  // namespace platform
