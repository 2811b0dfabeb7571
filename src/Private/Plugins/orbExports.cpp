// The thirteen exports the host calls. Every one turns failures into its result code:
// no exception leaves the library here.
#include "Private/Plugins/orbDataCalls.h"
#include "Private/Plugins/orbInstances.h"
#include "Private/Plugins/orbPluginModule.h"

#if defined(_WIN32)
#define ORB_EXPORT
#else
#define ORB_EXPORT __attribute__((visibility("default")))
#endif

using namespace orb;

namespace {

template <class R, class F>
R NoThrow(R failure, F&& f) {
  try {
    return f();
  } catch (...) {
    return failure;
  }
}

// The informational exports only read published values of a listed instance.
template <class R, class F>
R WithInstance(PPluginCallRec rec, R none, F&& f) {
  if (!rec) return none;
  TInstanceUse plugin(rec, true);
  return plugin ? f(plugin.get()) : none;
}

}  // namespace

extern "C" {

ORB_EXPORT std::uint32_t ORB_STDCALL GetPluginIntfVersion() { return PluginInterfaceVersion; }

ORB_EXPORT bool ORB_STDCALL GetModuleInfo(PPluginCallRec rec, TModuleInfoBlock* info, std::uint32_t* pSize) {
  return NoThrow(false, [&] { return rec && DoGetModuleInfo(rec, info, pSize); });
}

ORB_EXPORT std::uint32_t ORB_STDCALL GetModuleType(PPluginCallRec rec) {
  return NoThrow<std::uint32_t>(0, [&] {
    return WithInstance<std::uint32_t>(rec, 0, [](TorbPlugin* p) {
      return p->ModuleType | (static_cast<std::uint32_t>(p->ModuleOptions & 0x7) << 16);
    });
  });
}

ORB_EXPORT const char* ORB_STDCALL GetModuleDescription(PPluginCallRec rec) {
  return NoThrow<const char*>(nullptr, [&] {
    return WithInstance<const char*>(rec, nullptr, [](TorbPlugin* p) { return p->Description.c_str(); });
  });
}

ORB_EXPORT float ORB_STDCALL GetAppMinVersion(PPluginCallRec rec) {
  return NoThrow(-1.0f, [&] { return WithInstance(rec, -1.0f, [](TorbPlugin* p) { return p->MinVersion; }); });
}

ORB_EXPORT bool ORB_STDCALL MultiThreadSupport(PPluginCallRec rec) {
  return NoThrow(false, [&] {
    return WithInstance(rec, false, [](TorbPlugin* p) { return p->IsMultiThreadSupported; });
  });
}

ORB_EXPORT std::int32_t ORB_STDCALL GetCustomCommands(PPluginCallRec rec) {
  return NoThrow(0, [&] { return rec ? DoGetCustomCommands(rec) : 0; });
}

ORB_EXPORT void ORB_STDCALL ShowOptionsDialog(PPluginCallRec rec) {
  NoThrow(0, [&] {
    DoShowOptionsDialog(rec);
    return 0;
  });
}

ORB_EXPORT std::int32_t ORB_STDCALL ExecutePluginCommand(PPluginCallRec rec) {
  return NoThrow(prException, [&] { return DoExecutePluginCommand(rec); });
}

ORB_EXPORT std::int32_t ORB_STDCALL ProcessData(PPluginCallRec rec) {
  return NoThrow(prException, [&] { return DoProcessData(rec); });
}

ORB_EXPORT std::int32_t ORB_STDCALL GetData(PPluginCallRec rec) {
  return NoThrow(prException, [&] { return DoGetData(rec); });
}

ORB_EXPORT std::int32_t ORB_STDCALL GetEvents(PPluginCallRec rec) {
  return NoThrow(prException, [&] { return DoGetEvents(rec); });
}

ORB_EXPORT std::int32_t ORB_STDCALL GetLogEx(PPluginCallRec rec) {
  return NoThrow(0, [&] { return rec ? DoGetLogEx(rec) : 0; });
}

}  // extern "C"
