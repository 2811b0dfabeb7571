// velmora-host check and catalogue: the two module events the options dialog uses,
// sent through the EVENT command like the host does.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "HostCommands.h"
#include "HostSession.h"
#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

namespace {

int SendEvent(const std::string& library, const std::string& event,
              const std::vector<std::pair<std::string, rtl::Variant>>& args, std::string& answer) {
  PluginLibrary lib;
  std::string error;
  if (!lib.Load(library, error)) {
    std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
    return 2;
  }
  SessionOptions options;
  HostSession session(lib, options);
  session.Load();
  std::vector<std::pair<std::string, rtl::Variant>> all{{"EVENT-TYPE", rtl::Variant(rtl::AnsiString(event))}};
  all.insert(all.end(), args.begin(), args.end());
  rtl::Variant result;
  const std::int32_t code = session.Command("EVENT", all, result);
  session.Unload();
  session.Release();
  if (code != 0) {
    std::fprintf(stderr, "velmora-host: the %s event answered %d\n", event.c_str(), code);
    return 2;
  }
  answer = result.IsEmptyOrNull() ? std::string() : rtl::VarToAnsiString(result).str();
  return 0;
}

std::string LibraryArg(int& argc, char**& argv) {
  std::string path = PluginLibrary::DefaultPath();
  if (argc >= 2 && std::string(argv[0]) == "--library") {
    path = argv[1];
    argc -= 2;
    argv += 2;
  }
  return path;
}

}  // namespace

int RunCheck(int argc, char** argv) {
  const std::string library = LibraryArg(argc, argv);
  if (argc != 3 || std::string(argv[0]) != "--language") {
    std::fprintf(stderr, "usage: velmora-host check [--library PATH] --language NAME FILE\n");
    return 2;
  }
  const std::string language = argv[1], file = argv[2];
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "velmora-host check: cannot read '%s'\n", file.c_str());
    return 2;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  std::string script = buffer.str();
  if (script.compare(0, 3, "\xEF\xBB\xBF") == 0) script.erase(0, 3);
  std::u16string wide = rtl::Utf8ToWide(script);
  std::string answer;
  const int rc = SendEvent(library, "CheckCode",
                           {{"P0", rtl::Variant(rtl::AnsiString(language))}, {"P1", rtl::Variant(std::u16string_view(wide))}},
                           answer);
  if (rc != 0) return rc;
  if (answer.empty()) return 0;
  // "column:line|unit: message" back to "FILE:line:col: unit: message".
  const std::size_t bar = answer.find('|');
  const std::string where = answer.substr(0, bar);
  const std::string message = bar == std::string::npos ? std::string() : answer.substr(bar + 1);
  const std::size_t colon = where.find(':');
  const std::string column = where.substr(0, colon);
  const std::string line = colon == std::string::npos ? std::string() : where.substr(colon + 1);
  std::fprintf(stderr, "%s:%s:%s: %s\n", file.c_str(), line.c_str(), column.c_str(), rtl::AnsiToUtf8(message).c_str());
  return 1;
}

int RunCatalogue(int argc, char** argv) {
  const std::string library = LibraryArg(argc, argv);
  if (argc != 0) {
    std::fprintf(stderr, "usage: velmora-host catalogue [--library PATH]\n");
    return 2;
  }
  std::string answer;
  const int rc = SendEvent(library, "GetFuncList", {}, answer);
  if (rc != 0) return rc;
  std::fwrite(answer.data(), 1, answer.size(), stdout);
  return 0;
}
