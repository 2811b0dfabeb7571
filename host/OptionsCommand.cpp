// velmora-host options: a configuration's options dialog, as the host shows it. The
// script is stored in a fresh configuration (as run does), the dialog is shown through
// the ShowOptionsDialog export, and after OK the store's language and script are
// printed. --screenshot writes the dialog's picture once it has painted and closes it
// as Cancel does; with --size the dialog is first resized as a user's drag resizes it,
// and the picture shows what that repainted.
#include <cstdio>
#include <iostream>
#include <string>

#include "HostCommands.h"
#include "HostFiles.h"
#include "HostSession.h"
#include "HostUsage.h"
#include "PacketRun.h"
#include "Private/Plugins/orbProxyCode.h"
#include "Private/Plugins/orbWreg.h"
#include "ScriptLanguage.h"
#include "gui/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/WindowPeer.h"
#include "rtl/Object.h"

namespace {

constexpr const char* kSection = "{Velmora:Options}";
// Time for the dialog to open and paint before its picture is taken.
constexpr std::uint32_t kScreenshotDelayMs = 700;

// Takes the picture of the dialog that the library shows on this thread, from a
// timer that the dialog's own message loop runs.
class DialogScreenshot {
public:
  DialogScreenshot(std::string file, int width, int height) : FFile(std::move(file)), FWidth(width), FHeight(height) {
    FTimer->SetEnabled(false);
    FTimer->SetInterval(kScreenshotDelayMs);
    FTimer->SetOnTimer([this](rtl::TObject*) { Take(); });
    FTimer->SetEnabled(true);
  }
  bool Written() const { return FWritten; }

private:
  // Tries until the dialog shows: giving up would leave it open for good.
  void Take() {
    const std::uintptr_t dialog = platform::InputWindowOfThread();
    if (!dialog) return;
    FTimer->SetEnabled(false);
    platform::RedrawWindowNow(dialog);
    if (FWidth > 0) {
      // Only what the resize invalidated is painted, as on the user's screen.
      platform::ResizeWindow(dialog, FWidth, FHeight);
      platform::ProcessGuiMessages();
    }
    FWritten = platform::CaptureWindowHandleBmp(dialog, FFile);
    platform::RequestWindowClose(dialog);
  }

  std::string FFile;
  int FWidth, FHeight;
  rtl::TObjectPtr<gui::TTimer> FTimer = rtl::MakeObject<gui::TTimer>();
  bool FWritten = false;
};

}  // namespace

int RunOptions(int argc, char** argv) {
  std::string library = PluginLibrary::DefaultPath();
  std::string scriptPath, language, code = "EN", screenshot;
  int width = 0, height = 0;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    if (a != "--script" && a != "--language" && a != "--lang" && a != "--screenshot" && a != "--library" &&
        a != "--size")
      return UsageError("options", "unknown argument '" + a + "'");
    if (i + 1 >= argc) return UsageError("options", a + " needs a value");
    const std::string v = argv[++i];
    if (a == "--script") scriptPath = v;
    else if (a == "--language") language = v;
    else if (a == "--lang") code = v;
    else if (a == "--screenshot") screenshot = v;
    else if (a == "--size") {
      if (!ParseWindowSize(v, width, height)) return UsageError("options", "--size takes WIDTHxHEIGHT, not '" + v + "'");
    } else library = v;
  }
  if (width > 0 && screenshot.empty()) return UsageError("options", "--size goes with --screenshot");
  if (scriptPath.empty()) return UsageError("options", "no --script given");
  if (!language.empty() && FindLanguage(language) < 0)
    return Failure("options", "unknown language '" + language + "' (" + LanguageChoices() + ")");
  if (!platform::HasDisplay()) {
    std::fprintf(stderr, "velmora-host options: this build has no display; use the Windows build to show the dialog\n");
    return 2;
  }

  PacketRunSettings settings;
  std::string error;
  settings.ScriptFile = scriptPath;
  if (!ReadScriptFile(scriptPath, settings.Script, error)) return Failure("options", error);
  if (!language.empty())
    settings.Language = FindLanguage(language);
  else if (!DetectLanguage(scriptPath, settings.Script, settings.Language, error))
    return Failure("options", scriptPath + ": " + error);

  PluginLibrary plugin;
  if (!plugin.Load(library, error)) return Failure("", error);
  SessionOptions options;
  options.INIFile = platform::TempFolder() + "velmora-options-" + std::to_string(platform::CurrentProcessId()) + ".ini";
  options.INISectionPrefix = kSection;
  options.Language = code;
  if (!WriteRunSettings(options.INIFile, kSection, settings))
    return Failure("options", "cannot write the settings file '" + options.INIFile + "'");

  int exitCode = 0;
  {
    HostSession session(plugin, options);
    session.Load();
    std::int32_t outcome = 0;
    if (screenshot.empty()) {
      outcome = session.ShowOptions();
    } else {
      DialogScreenshot picture(screenshot, width, height);
      outcome = session.ShowOptions();
      if (!picture.Written()) {
        std::fprintf(stderr, "velmora-host options: cannot write the picture to '%s'\n", screenshot.c_str());
        exitCode = 1;
      }
    }
    if (outcome == 1) {
      // What the dialog stored, read back as the configuration reads it.
      rtl::TObjectPtr<orb::TProxyCodeObject> cfg = rtl::MakeObject<orb::TProxyCodeObject>();
      rtl::TObjectPtr<orb::TWreg> store = rtl::MakeObject<orb::TWreg>();
      store->INIFile = options.INIFile;
      store->INIFileSectionPrefix = kSection;
      store->ComponentLines()->Add("edtExpr.Lines,Script");
      store->ComponentLines()->Add("comboType.ItemIndex,Language");
      store->Load(cfg.get());
      const int index = cfg->comboType_ItemIndex;
      std::cout << "language: " << (index >= 0 && index < kLanguageCount ? kLanguageNames[index] : "?") << "\n";
      std::cout << cfg->edtExpr_Lines->Text().str();
      std::cout.flush();
    } else if (outcome != 0) {
      std::fprintf(stderr, "velmora-host options: the library shows no options dialog (%d)\n", outcome);
      exitCode = 1;
    }
    session.Unload();
    session.Release();
  }
  platform::RemoveFile(options.INIFile);
  return exitCode;
}
