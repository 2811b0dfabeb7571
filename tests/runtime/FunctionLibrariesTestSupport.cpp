#include "runtime/FunctionLibrariesTestSupport.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Files.h"
#include "platform/Process.h"
#include "runtime/fsRTTIModule.h"

namespace fs::test {

std::vector<ModuleFactory> AllFunctionLibraries() {
  // The libraries as the global registry loads them, without the modules that tests
  // of the loading register for themselves.
  std::vector<ModuleFactory> modules;
  for (const TfsRTTIModuleClass* c : RuntimeModules()) {
    const std::string name = c->Name;
    if (name == "TfsSysFunctions" || name.rfind("fs_", 0) == 0) modules.push_back(c->Create);
  }
  return modules;
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const std::string base = platform::TempFolder() + "velmora-test-" + std::to_string(platform::CurrentProcessId()) +
                           "-" + std::to_string(counter++);
  std::filesystem::remove_all(base);
  std::filesystem::create_directories(base);
  FPath = base + base.substr(platform::TempFolder().size() - 1, 1);  // the delimiter TempFolder ends with
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
}

std::string TempFolder::Literal(const std::string& name) const {
  std::string out = "'";
  for (char c : FPath + name) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

std::string FileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteContent(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

}  // namespace fs::test
