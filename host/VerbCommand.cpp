// velmora-host command VERB [NAME=VALUE ...]: one command against a loaded
// configuration, so that every verb can be tried from the shell.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "HostCommands.h"
#include "HostSession.h"
#include "rtl/VariantConvert.h"

namespace {
int Usage() {
  std::fprintf(stderr,
               "usage: velmora-host command VERB [NAME=VALUE ...] [--library PATH] [--config-id N]\n"
               "  VALUE: a 32-bit integer, true, false, or text\n");
  return 2;
}
}  // namespace

int RunVerbCommand(int argc, char** argv) {
  std::string path = PluginLibrary::DefaultPath();
  SessionOptions options;
  std::string verb;
  std::vector<std::pair<std::string, rtl::Variant>> args;
  for (int i = 0; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--library" && i + 1 < argc) {
      path = argv[++i];
    } else if (a == "--config-id" && i + 1 < argc) {
      options.ConfigId = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
      if (options.ConfigId == 0) return Usage();
    } else if (verb.empty()) {
      verb = a;
    } else {
      std::size_t eq = a.find('=');
      if (eq == std::string::npos || eq == 0) {
        std::fprintf(stderr, "velmora-host command: argument '%s' is not NAME=VALUE\n", a.c_str());
        return 2;
      }
      args.emplace_back(a.substr(0, eq), ArgumentToVariant(a.substr(eq + 1)));
    }
  }
  if (verb.empty()) return Usage();

  PluginLibrary lib;
  std::string error;
  if (!lib.Load(path, error)) {
    std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
    return 2;
  }
  HostSession session(lib, options);
  session.SetEventOutput(stdout);
  const std::int32_t loaded = session.Load();
  if (loaded != 0) std::fprintf(stderr, "velmora-host: LOAD answered %d\n", loaded);
  session.SetState(true);
  rtl::Variant answer;
  const std::int32_t result = session.Command(verb, args, answer);
  std::printf("result: %d\n", result);
  if (!answer.IsEmptyOrNull()) std::printf("RESULT: %s\n", VariantToJson(answer).dump().c_str());
  std::fflush(stdout);
  session.Unload();
  session.Release();
  return 0;
}
