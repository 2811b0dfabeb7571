#include "PluginLibrary.h"

#include "platform/Modules.h"

namespace {
template <class F>
bool Resolve(void* module, const char* name, F& fn, std::string& missing) {
  fn = reinterpret_cast<F>(platform::FindExport(module, name));
  if (!fn && missing.empty()) missing = name;
  return fn != nullptr;
}
}  // namespace

bool PluginLibrary::Load(const std::string& path, std::string& error) {
  Unload();
  FModule = platform::LoadLibraryFile(path, error);
  if (!FModule) return false;
  FPath = path;
  std::string missing;
  Resolve(FModule, "GetPluginIntfVersion", GetPluginIntfVersion, missing);
  Resolve(FModule, "GetModuleInfo", GetModuleInfo, missing);
  Resolve(FModule, "GetModuleType", GetModuleType, missing);
  Resolve(FModule, "GetModuleDescription", GetModuleDescription, missing);
  Resolve(FModule, "GetAppMinVersion", GetAppMinVersion, missing);
  Resolve(FModule, "MultiThreadSupport", MultiThreadSupport, missing);
  Resolve(FModule, "GetCustomCommands", GetCustomCommands, missing);
  Resolve(FModule, "ShowOptionsDialog", ShowOptionsDialog, missing);
  Resolve(FModule, "ExecutePluginCommand", ExecutePluginCommand, missing);
  Resolve(FModule, "ProcessData", ProcessData, missing);
  Resolve(FModule, "GetData", GetData, missing);
  Resolve(FModule, "GetEvents", GetEvents, missing);
  Resolve(FModule, "GetLogEx", GetLogEx, missing);
  if (!missing.empty()) {
    error = "library '" + path + "' has no export '" + missing + "'";
    Unload();
    return false;
  }
  return true;
}

void PluginLibrary::Unload() {
  if (FModule) platform::FreeLibraryFile(FModule);
  FModule = nullptr;
}

std::string PluginLibrary::DefaultPath() {
#if defined(_WIN32)
  const char* file = "velmora.dll";
#else
  const char* file = "libvelmora.so";
#endif
  return platform::ExtractFilePath(platform::ModuleFileName(platform::MainProgramModule())) + file;
}

HostCall::HostCall(std::uint32_t configId, orb::TModuleTypes types) : Rec(orb::NewCallRec()), Params(new orb::TorbParamsList()) {
  Rec.ConfigId = configId;
  Rec.ModuleIndex = configId;
  Rec.ModuleTypes = types;
  Rec.Params = Params.get();
}
