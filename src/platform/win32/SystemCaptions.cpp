// Captures the system's message box button texts: three message boxes are opened with
// a window-creation hook that reads their buttons on activation and destroys them
// before they are ever shown. A timer ends any box the hook did not catch, so the
// capture cannot block where there is no desktop to activate a window on.
#include "platform/SystemCaptions.h"

#include <windows.h>

#include <mutex>

namespace platform {

namespace {

// Dialog item numbers of the slots (0: none).
constexpr int kItemOfSlot[12] = {IDYES, IDNO, IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, 0, 0, 0, IDHELP, 0};

struct Capture {
  std::array<std::string, 12> Captions;
  HHOOK Hook = nullptr;
  HWND Box = nullptr;
};
Capture* gCapture = nullptr;

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (gCapture && code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    for (int slot = 0; slot < 12; ++slot) {
      if (!kItemOfSlot[slot] || !gCapture->Captions[slot].empty()) continue;
      HWND item = GetDlgItem(box, kItemOfSlot[slot]);
      if (!item) continue;
      char text[1026] = {};
      GetWindowTextA(item, text, 1025);
      gCapture->Captions[slot] = text;
    }
    DestroyWindow(box);
    return 1;  // refuse the activation: the box is never seen
  }
  if (gCapture && code == HCBT_CREATEWND) {
    // The box itself, not its buttons.
    const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
    if (create && create->lpcs && !(create->lpcs->style & WS_CHILD)) gCapture->Box = reinterpret_cast<HWND>(wParam);
  }
  return CallNextHookEx(gCapture ? gCapture->Hook : nullptr, code, wParam, lParam);
}

void CALLBACK EndStuckBox(HWND, UINT, UINT_PTR, DWORD) {
  if (gCapture && gCapture->Box && IsWindow(gCapture->Box)) EndDialog(gCapture->Box, IDCANCEL);
}

std::array<std::string, 12> CaptureNow() {
  Capture capture;
  gCapture = &capture;
  HWND foreground = GetForegroundWindow();
  capture.Hook = SetWindowsHookExA(WH_CBT, &CbtProc, nullptr, GetCurrentThreadId());
  if (capture.Hook) {
    const UINT kinds[] = {MB_OK | MB_HELP | MB_ICONQUESTION, MB_YESNOCANCEL, MB_ABORTRETRYIGNORE};
    for (UINT kind : kinds) {
      capture.Box = nullptr;
      UINT_PTR timer = SetTimer(nullptr, 0, 500, &EndStuckBox);
      MessageBoxA(nullptr, "", "", kind | MB_SETFOREGROUND | MB_TASKMODAL);
      KillTimer(nullptr, timer);
    }
    UnhookWindowsHookEx(capture.Hook);
  }
  if (foreground) SetForegroundWindow(foreground);
  gCapture = nullptr;
  return capture.Captions;
}

}  // namespace

const std::array<std::string, 12>& SystemButtonCaptions() {
  static std::once_flag once;
  static std::array<std::string, 12> captions;
  std::call_once(once, [] { captions = CaptureNow(); });
  return captions;
}

}  // namespace platform
