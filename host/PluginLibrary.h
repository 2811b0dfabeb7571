// The plug-in as the host sees it: a library file and its thirteen exports, called
// with call records and parameter lists that the host builds itself.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Private/Plugins/orbPluginTypes.h"
#include "Public/Common/orbParamLst.h"

class PluginLibrary {
public:
  using PRec = orb::PPluginCallRec;
  std::uint32_t(ORB_STDCALL* GetPluginIntfVersion)() = nullptr;
  bool(ORB_STDCALL* GetModuleInfo)(PRec, orb::TModuleInfoBlock*, std::uint32_t*) = nullptr;
  std::uint32_t(ORB_STDCALL* GetModuleType)(PRec) = nullptr;
  const char*(ORB_STDCALL* GetModuleDescription)(PRec) = nullptr;
  float(ORB_STDCALL* GetAppMinVersion)(PRec) = nullptr;
  bool(ORB_STDCALL* MultiThreadSupport)(PRec) = nullptr;
  std::int32_t(ORB_STDCALL* GetCustomCommands)(PRec) = nullptr;
  void(ORB_STDCALL* ShowOptionsDialog)(PRec) = nullptr;
  std::int32_t(ORB_STDCALL* ExecutePluginCommand)(PRec) = nullptr;
  std::int32_t(ORB_STDCALL* ProcessData)(PRec) = nullptr;
  std::int32_t(ORB_STDCALL* GetData)(PRec) = nullptr;
  std::int32_t(ORB_STDCALL* GetEvents)(PRec) = nullptr;
  std::int32_t(ORB_STDCALL* GetLogEx)(PRec) = nullptr;

  // Loads the library and finds every export; false with a one-line reason otherwise.
  bool Load(const std::string& path, std::string& error);
  void Unload();
  // The library stays loaded until the process ends, as a host keeps its plug-ins;
  // its finalisation runs at exit.
  ~PluginLibrary() = default;
  const std::string& Path() const { return FPath; }

  // The library next to the running program.
  static std::string DefaultPath();

private:
  void* FModule = nullptr;
  std::string FPath;
};

// A call record for one configuration, with a parameter list the host owns.
struct HostCall {
  explicit HostCall(std::uint32_t configId, orb::TModuleTypes types = 0);
  orb::PluginCallRec Rec;
  std::unique_ptr<orb::TorbParamsList> Params;
};
