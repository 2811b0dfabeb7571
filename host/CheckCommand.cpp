// velmora-host check and catalogue: the two module events the options dialog uses,
// sent through the EVENT command like the host does.
#include <memory>
#include <string>

#include "CodeCheck.h"
#include "HostCommands.h"
#include "HostFiles.h"
#include "HostSession.h"
#include "HostUsage.h"
#include "ScriptFileArgs.h"
#include "rtl/VariantConvert.h"

namespace {

// A configuration loaded for one event, unloaded and released when done.
class EventSession {
public:
  bool Open(const std::string& library, const char* command) {
    std::string error;
    if (!FLibrary.Load(library, error)) {
      Failure(command, error);
      return false;
    }
    FSession = std::make_unique<HostSession>(FLibrary, SessionOptions());
    FSession->Load();
    return true;
  }
  ~EventSession() {
    if (!FSession) return;
    FSession->Unload();
    FSession->Release();
  }
  HostSession& Session() { return *FSession; }

private:
  PluginLibrary FLibrary;
  std::unique_ptr<HostSession> FSession;
};

}  // namespace

int RunCheck(int argc, char** argv) {
  ScriptFileArgs args;
  if (int rc = ReadScriptFileArgs("check", argc, argv, args, true)) return rc;
  std::string script, error;
  if (!ReadScriptFile(args.File, script, error)) return Failure("check", error);
  if (int rc = ResolveLanguage("check", script, args)) return rc;
  EventSession events;
  if (!events.Open(args.Library, "check")) return 2;
  std::string message;
  switch (CheckScriptCode(events.Session(), args.LanguageIndex, script, args.File, message)) {
    case CheckResult::Compiles:
      return 0;
    case CheckResult::Fails:
      StandardError().WriteLine(message);
      return 1;
    case CheckResult::EventFailed:
      break;
  }
  return Failure("check", message);
}

int RunCatalogue(int argc, char** argv) {
  std::string library = PluginLibrary::DefaultPath();
  for (int i = 0; i < argc; ++i) {
    if (std::string(argv[i]) == "--library" && i + 1 < argc)
      library = argv[++i];
    else
      return UsageError("catalogue", "unknown argument '" + std::string(argv[i]) + "'");
  }
  EventSession events;
  if (!events.Open(library, "catalogue")) return 2;
  rtl::Variant result;
  const std::int32_t code = events.Session().Command("EVENT", {{"EVENT-TYPE", rtl::Variant(rtl::AnsiString("GetFuncList"))}}, result);
  if (code != 0) return Failure("catalogue", "the GetFuncList event answered " + std::to_string(code));
  if (!result.IsEmptyOrNull()) StandardOutput().Write(rtl::VarToAnsiString(result).str());
  StandardOutput().Flush();
  return 0;
}
