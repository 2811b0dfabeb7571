#include "platform/MessageBox.h"

#include <windows.h>

#include <string>

#include "rtl/CodePage.h"

namespace platform {

namespace {

// The program's file name without folder and extension, as a caption.
std::u16string ProgramTitle() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::u16string name(reinterpret_cast<const char16_t*>(path), n);
  const std::size_t slash = name.find_last_of(u"\\/");
  if (slash != std::u16string::npos) name.erase(0, slash + 1);
  const std::size_t dot = name.find_last_of(u'.');
  if (dot != std::u16string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace

bool ShowMessageBox(const std::string& text) {
  const std::u16string wide = rtl::AnsiToWide(text);
  const std::u16string title = ProgramTitle();
  MessageBoxW(GetActiveWindow(), reinterpret_cast<const wchar_t*>(wide.c_str()),
              reinterpret_cast<const wchar_t*>(title.c_str()), MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
  return true;
}

}  // namespace platform
