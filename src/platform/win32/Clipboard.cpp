#include "platform/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/GdiCanvas.h"

namespace platform {

std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return {};
  std::string text;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      text = win32::Ansi(p);
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

void SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  const std::wstring w = win32::Wide(text);
  if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t))) {
    std::memcpy(GlobalLock(h), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(h);
    if (!SetClipboardData(CF_UNICODETEXT, h)) GlobalFree(h);
  }
  CloseClipboard();
}

}  // namespace platform
