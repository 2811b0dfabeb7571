// The system's common dialogs and message boxes. <windows.h> comes first: its TextOut
// macro must rename the canvas's member everywhere alike.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "platform/CommonDialogs.h"
#include "platform/WindowPeer.h"
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

std::optional<bool> RunColorDialog(WindowHandle owner, ColorDialogRequest& request) {
  COLORREF custom[16];
  for (int i = 0; i < 16; ++i) custom[i] = request.CustomColors[i];
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = reinterpret_cast<HWND>(owner);
  cc.rgbResult = request.Color;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT;
  if (request.FullOpen) cc.Flags |= CC_FULLOPEN;
  if (request.PreventFullOpen) cc.Flags |= CC_PREVENTFULLOPEN;
  if (request.SolidColor) cc.Flags |= CC_SOLIDCOLOR;
  if (request.AnyColor) cc.Flags |= CC_ANYCOLOR;
  const bool ok = ChooseColorW(&cc) != FALSE;
  for (int i = 0; i < 16; ++i) request.CustomColors[i] = custom[i];
  if (ok) request.Color = cc.rgbResult;
  return ok;
}

std::optional<bool> RunFontDialog(WindowHandle owner, FontDialogRequest& request) {
  LOGFONTW lf{};
  lf.lfHeight = request.Font.Height;
  lf.lfWeight = request.Font.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = request.Font.Italic;
  lf.lfUnderline = request.Font.Underline;
  lf.lfStrikeOut = request.Font.StrikeOut;
  lf.lfCharSet = static_cast<BYTE>(request.Font.Charset);
  lf.lfPitchAndFamily = request.Font.Pitch == 2 ? FIXED_PITCH : request.Font.Pitch == 1 ? VARIABLE_PITCH : DEFAULT_PITCH;
  const std::wstring name = win32::Wide(request.Font.Name);
  wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = reinterpret_cast<HWND>(owner);
  cf.lpLogFont = &lf;
  cf.rgbColors = request.Font.Color;
  cf.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
  if (request.Effects) cf.Flags |= CF_EFFECTS;
  if (request.FixedPitchOnly) cf.Flags |= CF_FIXEDPITCHONLY;
  if (request.ForceFontExist) cf.Flags |= CF_FORCEFONTEXIST;
  if (request.TrueTypeOnly) cf.Flags |= CF_TTONLY;
  if (request.NoVectorFonts) cf.Flags |= CF_NOVECTORFONTS;
  if (request.ScalableOnly) cf.Flags |= CF_SCALABLEONLY;
  if (request.NoFaceSel) cf.Flags |= CF_NOFACESEL;
  if (request.NoSizeSel) cf.Flags |= CF_NOSIZESEL;
  if (request.NoStyleSel) cf.Flags |= CF_NOSTYLESEL;
  if (request.MinFontSize > 0 || request.MaxFontSize > 0) {
    cf.Flags |= CF_LIMITSIZE;
    cf.nSizeMin = request.MinFontSize;
    cf.nSizeMax = request.MaxFontSize;
  }
  if (!ChooseFontW(&cf)) return false;
  request.Font.Name = win32::Ansi(lf.lfFaceName);
  request.Font.Height = lf.lfHeight;
  request.Font.Bold = lf.lfWeight >= FW_BOLD;
  request.Font.Italic = lf.lfItalic != 0;
  request.Font.Underline = lf.lfUnderline != 0;
  request.Font.StrikeOut = lf.lfStrikeOut != 0;
  request.Font.Charset = lf.lfCharSet;
  request.Font.Color = cf.rgbColors;
  return true;
}

std::optional<bool> RunPrintDialog(WindowHandle owner, PrintDialogRequest& request) {
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = reinterpret_cast<HWND>(owner);
  pd.nCopies = static_cast<WORD>(request.Copies < 1 ? 1 : request.Copies);
  pd.nFromPage = static_cast<WORD>(request.FromPage);
  pd.nToPage = static_cast<WORD>(request.ToPage);
  pd.nMinPage = static_cast<WORD>(request.MinPage);
  pd.nMaxPage = static_cast<WORD>(request.MaxPage);
  if (request.Setup) {
    pd.Flags = PD_PRINTSETUP;
  } else {
    pd.Flags = request.Range == 1 ? PD_SELECTION : request.Range == 2 ? PD_PAGENUMS : PD_ALLPAGES;
    if (!request.PageNums) pd.Flags |= PD_NOPAGENUMS;
    if (!request.Selection) pd.Flags |= PD_NOSELECTION;
    if (request.Collate) pd.Flags |= PD_COLLATE;
    if (request.PrintToFile) pd.Flags |= PD_PRINTTOFILE;
    if (request.DisablePrintToFile) pd.Flags |= PD_DISABLEPRINTTOFILE;
    if (!request.ShowPrintToFile) pd.Flags |= PD_HIDEPRINTTOFILE;
  }
  const bool ok = PrintDlgW(&pd) != FALSE;
  // The dialog hands back the printer's settings; this build keeps none of them.
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  if (!ok) return false;
  if (!request.Setup) {
    request.Copies = pd.nCopies;
    request.FromPage = pd.nFromPage;
    request.ToPage = pd.nToPage;
    request.Range = (pd.Flags & PD_SELECTION) ? 1 : (pd.Flags & PD_PAGENUMS) ? 2 : 0;
    request.Collate = (pd.Flags & PD_COLLATE) != 0;
    request.PrintToFile = (pd.Flags & PD_PRINTTOFILE) != 0;
  }
  return true;
}

std::optional<int> RunMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, int buttons,
                                 int icon) {
  const std::wstring t = win32::Wide(text), c = win32::Wide(caption);
  return MessageBoxW(reinterpret_cast<HWND>(owner), t.c_str(), c.c_str(),
                     static_cast<UINT>(buttons) | static_cast<UINT>(icon) | MB_TASKMODAL);
}

namespace {

struct DialogSearch {
  std::wstring Caption, Button;
  HWND Found = nullptr;
};

std::wstring WithoutMarks(std::wstring text) {
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  return text;
}

std::wstring WindowText(HWND w) {
  wchar_t buf[256] = {};
  GetWindowTextW(w, buf, 255);
  return buf;
}

BOOL CALLBACK FindButton(HWND child, LPARAM lp) {
  auto* search = reinterpret_cast<DialogSearch*>(lp);
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 31);
  if (lstrcmpiW(cls, L"Button") == 0 && WithoutMarks(WindowText(child)) == search->Button) {
    search->Found = child;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND w, LPARAM lp) {
  auto* search = reinterpret_cast<DialogSearch*>(lp);
  wchar_t cls[32] = {};
  GetClassNameW(w, cls, 31);
  if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(w) || WindowText(w) != search->Caption) return TRUE;
  EnumChildWindows(w, &FindButton, lp);
  return search->Found ? FALSE : TRUE;
}

}  // namespace

bool PressDialogButton(const std::string& caption, const std::string& buttonText) {
  DialogSearch search{win32::Wide(caption), win32::Wide(buttonText)};
  EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&search));
  if (!search.Found) return false;
  // The button's own click: pressed and released, so it notifies its dialog itself.
  SendMessageW(search.Found, BM_CLICK, 0, 0);
  return true;
}

}  // namespace platform
