#include "ScriptFileArgs.h"

#include <cstdio>
#include <cstring>

namespace {
int BadUsage(const char* command, const std::string& why) {
  std::fprintf(stderr, "velmora-host %s: %s (usage: %s --language NAME FILE)\n", command, why.c_str(), command);
  return 2;
}
}  // namespace

int ReadScriptFileArgs(const char* command, int argc, char** argv, ScriptFileArgs& args) {
  bool haveFile = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--language") == 0) {
      if (i + 1 >= argc) return BadUsage(command, "--language needs a dialect name");
      args.Language = argv[++i];
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return BadUsage(command, std::string("unknown option ") + argv[i]);
    } else if (!haveFile) {
      args.File = argv[i];
      haveFile = true;
    } else {
      return BadUsage(command, "more than one file given");
    }
  }
  if (args.Language.empty()) return BadUsage(command, "no dialect given");
  if (!haveFile) return BadUsage(command, "no script file given");
  return 0;
}

std::string DirectoryOf(const std::string& file) {
  std::size_t slash = file.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}
