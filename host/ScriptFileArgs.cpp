#include "ScriptFileArgs.h"

#include <cstring>

#include "HostUsage.h"
#include "PluginLibrary.h"
#include "ScriptLanguage.h"

int ReadScriptFileArgs(const char* command, int argc, char** argv, ScriptFileArgs& args, bool takesLibrary) {
  bool haveFile = false;
  if (takesLibrary) args.Library = PluginLibrary::DefaultPath();
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--language") == 0) {
      if (i + 1 >= argc) return UsageError(command, "--language needs a dialect name");
      args.Language = argv[++i];
    } else if (takesLibrary && std::strcmp(argv[i], "--library") == 0) {
      if (i + 1 >= argc) return UsageError(command, "--library needs a file name");
      args.Library = argv[++i];
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return UsageError(command, std::string("unknown option ") + argv[i]);
    } else if (!haveFile) {
      args.File = argv[i];
      haveFile = true;
    } else {
      return UsageError(command, "more than one file given");
    }
  }
  if (!haveFile) return UsageError(command, "no script file given");
  if (!args.Language.empty() && FindLanguage(args.Language) < 0)
    return Failure(command, "unknown language '" + args.Language + "' (" + LanguageChoices() + ")");
  return 0;
}

int ResolveLanguage(const char* command, const std::string& script, ScriptFileArgs& args) {
  if (!args.Language.empty()) {
    args.LanguageIndex = FindLanguage(args.Language);
    return 0;
  }
  std::string error;
  if (!DetectLanguage(args.File, script, args.LanguageIndex, error)) return Failure(command, args.File + ": " + error);
  return 0;
}

std::string DirectoryOf(const std::string& file) {
  std::size_t slash = file.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}
