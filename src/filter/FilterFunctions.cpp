#include "filter/FilterFunctions.h"

#include <mutex>
#include <unordered_map>

#include "engine/fsScript.h"
#include "engine/fsVariables.h"
#include "filter/FilterModule.h"
#include "filter/SpecialFunctions.h"
#include "runtime/fsFunctionTable.h"
#include "runtime/fsRegistry.h"

namespace filter {

namespace {

const fs::TfsFunctionEntry<TF> kSpecialFunctions[] = {
    {"procedure SetVariable(Name: String; Value: Variant)", "Special", &TF::HandleSpecialCall},
    {"function GetVariable(Name: String):Variant", "Special", &TF::HandleSpecialCall},
    {"function GetVariableDef(Name: String;Default:Variant):Variant", "Special", &TF::HandleSpecialCall},
    {"procedure PushVariable(Name: String; Value: Variant)", "Special", &TF::HandleSpecialCall},
    {"function PopVariable(Name: String):Variant", "Special", &TF::HandleSpecialCall},
    {"procedure DeleteVariable(Name: String)", "Special", &TF::HandleSpecialCall},
    {"procedure DiscardDataPacket(Reason: string = '; Silent: boolean = false)", "Special", &TF::HandleSpecialCall},
    {"procedure DbgLog(Msg: String; LogLevel: Byte = 0)", "Special", &TF::HandleSpecialCall},
    {"function IsVariableDefined(Name: String):boolean", "Special", &TF::HandleSpecialCall},
    {"function IsVariableDefinedValid(Name: String):boolean", "Special", &TF::HandleSpecialCall},
    {"function IsVariableStored(Name: String):boolean", "Special", &TF::HandleSpecialCall},
    {"function SendData(Data: String):boolean", "Special", &TF::HandleSpecialCall},
    {"function SendString(Data: String):boolean", "Special", &TF::HandleSpecialCall},
    {"function SendByte(Data: Byte):boolean", "Special", &TF::HandleSpecialCall},
    {"function SendDataToDataSource(DataSource, Data: String):boolean", "Special", &TF::HandleSpecialCall},
    {"procedure SendEvent(Name: String)", "Special", &TF::HandleSpecialCall},
    {"procedure SendEventEx(Name: String; Args: array of const)", "Special", &TF::HandleSpecialCall},
    {"procedure RedirectData(TargetConfig: String)", "Special", &TF::HandleSpecialCall},
    {"function GetVariableCount:integer", "Special", &TF::HandleSpecialCall},
    {"function GetVariableByIndex(AIndex: integer):Variant", "Special", &TF::HandleSpecialCall},
    {"function GetVariableNameByIndex(AIndex: integer):string", "Special", &TF::HandleSpecialCall},
    {"procedure NewRow()", "Special", &TF::HandleSpecialCall},
};

// The filter module of each filter script: set when the module makes its script.
std::mutex gScriptsLock;
std::unordered_map<const fs::TfsScript*, TaPlugin*>& Scripts() {
  static auto* scripts = new std::unordered_map<const fs::TfsScript*, TaPlugin*>();
  return *scripts;
}

// The filter's host functions load last, after every library.
const fs::TfsRTTIModuleClass kTFClass{"TF", fs::moHostFunctions, &fs::NewRTTIModule<TF>};
fs::TfsRuntimeModuleRegistration gTFRegistration(kTFClass);

}  // namespace

TaPlugin* FilterOfScript(const fs::TfsScript* script) {
  std::lock_guard lock(gScriptsLock);
  auto it = Scripts().find(script);
  return it == Scripts().end() ? nullptr : it->second;
}

void SetFilterOfScript(const fs::TfsScript* script, TaPlugin* plugin) {
  std::lock_guard lock(gScriptsLock);
  if (plugin)
    Scripts()[script] = plugin;
  else
    Scripts().erase(script);
}

TF::TF(fs::TfsScript* script) : TfsRTTIModule(script) {
  fs::TfsRegistry registry(script);
  registry.RegisterTypeName("Byte", fs::fvtInt);
  registry.RegisterFunctions(this, kSpecialFunctions);
  // A row's variables and the stored ones hold values; an object's address there
  // would mean nothing to the host or to a later row.
  for (const char* name : {"SetVariable", "PushVariable"})
    if (fs::TfsCustomVariable* f = script->Lookup(name); f && f->ParamCount() > 1) f->Params(1)->SetRefusesObjects(true);
}

rtl::Variant TF::HandleSpecialCall(rtl::TObject*, rtl::TClass, const std::string& MethodName,
                                   fs::TfsMethodHelper* Caller) {
  rtl::Variant result;
  if (!FPlugin) {
    // The script whose program has run: the filter's own script.
    for (const fs::TfsScript* s = Script(); s; s = s->ParentScript())
      if (s->MainRun()) {
        FPlugin = FilterOfScript(s);
        break;
      }
    if (!FPlugin) return result;
  }
  DispatchSpecial(*FPlugin, MethodName, *Caller, result);
  return result;
}

}  // namespace filter
