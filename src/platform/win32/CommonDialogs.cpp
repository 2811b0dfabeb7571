#include "platform/CommonDialogs.h"

#include <windows.h>
#include <commdlg.h>

#include "platform/win32/GdiCanvas.h"

namespace platform {

std::optional<bool> RunFileDialog(WindowHandle owner, FileDialogRequest& request) {
  using win32::Wide;
  // The filter's "|" separators become NULs, with a double NUL at the end.
  std::wstring filter = Wide(request.Filter);
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  std::wstring file = Wide(request.FileName);
  file.resize(32768, L'\0');
  const std::wstring dir = Wide(request.InitialDir), title = Wide(request.Title), ext = Wide(request.DefaultExt);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = reinterpret_cast<HWND>(owner);
  ofn.lpstrFilter = request.Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(request.FilterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (request.OverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (request.HideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (request.FileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (request.EnableSizing) ofn.Flags |= OFN_ENABLESIZING;
  const BOOL ok = request.Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  request.FileName = win32::Ansi(file.c_str());
  request.FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

std::optional<int> RunMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, int buttons,
                                 int icon) {
  const std::wstring t = win32::Wide(text), c = win32::Wide(caption);
  return MessageBoxW(reinterpret_cast<HWND>(owner), t.c_str(), c.c_str(),
                     static_cast<UINT>(buttons) | static_cast<UINT>(icon) | MB_TASKMODAL);
}

}  // namespace platform
