// The system's own modal dialogs: file open and save, colour, font, print and printer
// set-up, message boxes. Each reports whether the build can show it; the toolkit asks
// its responder otherwise.
#pragma once

#include <optional>
#include <string>

#include "platform/Canvas.h"
#include "platform/Messages.h"

namespace platform {

struct FileDialogRequest {
  bool Save = false;
  std::string Title;
  std::string FileName;       // initial and result
  std::string InitialDir;
  std::string Filter;         // "Description|*.ext|..."
  int FilterIndex = 1;
  std::string DefaultExt;
  bool OverwritePrompt = false, HideReadOnly = false, FileMustExist = false, EnableSizing = false;
};
// nullopt when this build has no dialogs; else whether the user accepted
// (request.FileName then holds the choice).
std::optional<bool> RunFileDialog(WindowHandle owner, FileDialogRequest& request);

struct ColorDialogRequest {
  RgbColor Color = 0;  // initial and result
  bool FullOpen = false, PreventFullOpen = false, SolidColor = false, AnyColor = false;
  RgbColor CustomColors[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                               0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};
// nullopt when this build has no dialogs; else whether the user accepted.
std::optional<bool> RunColorDialog(WindowHandle owner, ColorDialogRequest& request);

struct FontDialogRequest {
  FontFace Font;  // initial and result (Color included)
  bool Effects = true, FixedPitchOnly = false, ForceFontExist = false, TrueTypeOnly = false, NoVectorFonts = false,
       ScalableOnly = false, NoFaceSel = false, NoSizeSel = false, NoStyleSel = false;
  int MinFontSize = 0, MaxFontSize = 0;  // points; both 0: no limit
};
std::optional<bool> RunFontDialog(WindowHandle owner, FontDialogRequest& request);

struct PrintDialogRequest {
  bool Setup = false;  // the printer set-up dialog instead of the print dialog
  int Copies = 1;
  int FromPage = 0, ToPage = 0, MinPage = 0, MaxPage = 0;
  int Range = 0;  // 0 all pages, 1 selection, 2 page numbers (initial and result)
  bool Collate = false, PrintToFile = false;
  bool PageNums = false, Selection = false, DisablePrintToFile = false, ShowPrintToFile = false;
};
std::optional<bool> RunPrintDialog(WindowHandle owner, PrintDialogRequest& request);

// Button set and icon as the system's message boxes know them: buttons 0 OK, 1 OK
// Cancel, 2 Abort Retry Ignore, 3 Yes No Cancel, 4 Yes No, 5 Retry Cancel; icon 0 none,
// 0x10 error, 0x20 question, 0x30 warning, 0x40 information.
// nullopt when this build has no message boxes; else the button pressed (1 OK,
// 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No).
std::optional<int> RunMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, int buttons,
                                 int icon);

}  // namespace platform
