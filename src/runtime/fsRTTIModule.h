// Runtime modules: libraries of registrations. A module is a TfsRTTIModule subclass
// whose constructor makes all of the library's registrations against the script it is
// given; the object then lives in that script's table as the owner of its callbacks.
// RuntimeModules is the process-wide list of module classes, kept in load order; each
// library adds its class at start-up (usually with a static TfsRuntimeModuleRegistration)
// and removes it at shutdown.
#pragma once

#include <vector>

#include "engine/fsItemList.h"

namespace fs {

class TfsScript;

class TfsRTTIModule : public TfsObject {
public:
  explicit TfsRTTIModule(TfsScript* script) noexcept : FScript(script) {}

  // ClearProgram leaves modules in their table.
  bool KeptByClear() const noexcept override { return true; }

  TfsScript* Script() const noexcept { return FScript; }

protected:
  TfsScript* FScript;
};

// A module class: its name, its place in the load order, and how to make it.
struct TfsRTTIModuleClass {
  const char* Name;
  int Order;
  TfsRTTIModule* (*Create)(TfsScript* script);
};

template <class M>
TfsRTTIModule* NewRTTIModule(TfsScript* script) {
  return new M(script);
}

// Load order of the system's libraries: system functions first, then the class
// libraries, the function libraries, and last the filter's host functions. Modules of
// the same order load in the order they were registered.
enum TfsModuleOrder : int {
  moSysFunctions = 0,
  moClasses = 100,
  moGraphics = 110,
  moFormsControls = 120,
  moDialogs = 130,
  moExtControls = 140,
  moDateUtils = 200,
  moDateTimeRoutines = 210,
  moTimeZones = 220,
  moCharStrings = 230,
  moUnitConversion = 240,
  moMath = 250,
  moStrUtils = 260,
  moSysUtils = 270,
  moFile = 280,
  moHostFunctions = 1000,
};

// The registered module classes in load order (a copy; empty after shutdown).
std::vector<const TfsRTTIModuleClass*> RuntimeModules();
// Adds a class (once; a class already listed stays where it is). Ignored after
// shutdown began.
void RegisterRuntimeModule(const TfsRTTIModuleClass& moduleClass);
void UnregisterRuntimeModule(const TfsRTTIModuleClass& moduleClass);

// Registers a module class for as long as it lives:
//   static const TfsRTTIModuleClass kClass{"TfsMath", moMath, &NewRTTIModule<TfsMath>};
//   static TfsRuntimeModuleRegistration registration(kClass);
class TfsRuntimeModuleRegistration {
public:
  explicit TfsRuntimeModuleRegistration(const TfsRTTIModuleClass& moduleClass) : FClass(moduleClass) {
    RegisterRuntimeModule(FClass);
  }
  ~TfsRuntimeModuleRegistration() { UnregisterRuntimeModule(FClass); }
  TfsRuntimeModuleRegistration(const TfsRuntimeModuleRegistration&) = delete;
  TfsRuntimeModuleRegistration& operator=(const TfsRuntimeModuleRegistration&) = delete;

private:
  const TfsRTTIModuleClass& FClass;
};

}  // namespace fs
