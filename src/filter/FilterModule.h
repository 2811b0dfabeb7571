// TaPlugin: the filter module, one per configuration of the host. It holds the
// configuration's settings, its script and message array, the compile state, the row
// being processed and the values its script keeps across packets; its handlers of the
// framework's events compile the script once per applied configuration and run it on
// every row of every packet.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "Private/Plugins/orbPluginModule.h"
#include "Private/Plugins/orbStrHolder.h"
#include "filter/StoredVariables.h"
#include "filter/WorkingRow.h"
#include "rtl/ScriptMemory.h"
#include "rtl/TextLoss.h"
#include "ui/MsgArray.h"

namespace fs {
class TfsScript;
}

namespace filter {

class TDataSourceCfg;

class TaPlugin : public orb::TorbPlugin {
  RTL_CLASS_INFO

public:
  TaPlugin(orb::PPluginCallRec pCallRec, void* dllHandle);
  ~TaPlugin() override;

  // Makes cfg's settings the ones the next packet compiles and runs (nil: nothing).
  void ApplyConfig(TDataSourceCfg* cfg);
  // Applies a fresh settings object and puts it in place of the current one.
  void ReplaceConfig();

  // The handlers of the framework's events.
  void orbPluginCreate(rtl::TObject* Sender);
  void orbPluginLoad(orb::TorbPlugin* Sender, orb::PPluginCallRec pCallRec, std::int32_t& Result);
  void orbPluginUnload(orb::TorbPlugin* Sender, orb::PPluginCallRec pCallRec, std::int32_t& Result);
  void orbPluginSaveSettingsNow(rtl::TObject* Sender);
  void orbPluginLoadSettingsNow(rtl::TObject* Sender);
  void orbPluginShowOptionsDialog(orb::TorbPlugin* Sender, orb::PPluginCallRec pCallRec, bool& Success);
  void orbPluginProcessData(orb::TorbPlugin* Sender, orb::PPluginCallRec pCallRec, std::int32_t& Result);
  void orbPluginEvent(orb::TorbPlugin* Sender, const std::string& Command, orb::PPluginCallRec pCallRec,
                      std::int32_t& Result);

  // What the script functions act on (the 22 "Special" functions).
  TWorkingRow* Row() const { return FRow; }
  TStoredVariables* Stored() const { return FStored; }
  orb::PPluginCallRec CallRec() const { return FCallRec; }
  // The output list of the packet being processed.
  orb::TorbRowsParamsList* Out() const { return FOut; }
  void RequestDiscard(const std::string& reason, bool silent) {
    FDiscard = true;
    FDiscardReason = reason;
    FDiscardSilent = silent;
  }

  // "CheckCode": '' when the script compiles, else "column:line|" and the message.
  std::string CheckCode(const orb::TorbParamsList* params);

  orb::TorbStrHolder* Properties() const { return FProperties; }
  fs::TfsScript* Script() const { return FScript.get(); }
  ui::TMsgArray* Messages() const { return FMessages; }
  TDataSourceCfg* Cfg() const { return FCfg; }
  bool Enabled() const { return FEnabled; }
  bool CompileTried() const { return FCompileTried; }
  bool Compiled() const { return FCompiled; }

protected:
  void InitializeForm() override;

private:
  // Prepares, under the process-wide preparation lock, and compiles the script.
  void CompileScript();
  // The settings' script memory limit becomes the budget's.
  void ApplyMemoryLimit();
  void RunRows(orb::PPluginCallRec pCallRec, orb::TorbParamsList* input, orb::TorbRowsParamsList* out);
  std::string Message(const char* id) const;
  // Logs a row's failure as "MsgExecErr": the runtime's exceptions and memory that
  // cannot be had; false for anything else, which the caller passes on.
  bool LogRunError(const std::exception& e);

  // Logs the first loss of characters of a configuration as a warning naming the
  // routine; later ones would only repeat it.
  class TTextLossLog final : public rtl::TTextLossListener {
  public:
    explicit TTextLossLog(TaPlugin& plugin) : FPlugin(plugin) {}
    void TextLost(std::string_view routine) noexcept override;
    void Reset() noexcept { FLogged = false; }

  private:
    TaPlugin& FPlugin;
    bool FLogged = false;
  };

  orb::TorbStrHolder* FProperties = nullptr;  // owned component
  ui::TMsgArray* FMessages = nullptr;         // owned component ("maData")
  std::unique_ptr<fs::TfsScript> FScript;     // "fsScript1"
  // What the script may take: its compile and each row run with it as the thread's
  // budget (the limit comes from the settings).
  std::shared_ptr<rtl::TScriptMemory> FMemory = std::make_shared<rtl::TScriptMemory>();
  std::unique_ptr<fs::TfsScript> FCheckScript;

  TDataSourceCfg* FCfg = nullptr;  // owned component
  bool FEnabled = false;
  bool FCompileTried = false;
  bool FCompiled = false;
  TWorkingRow* FRow = nullptr;
  TStoredVariables* FStored = nullptr;
  bool FDiscard = false;
  bool FDiscardSilent = false;
  std::string FDiscardReason;
  orb::PPluginCallRec FCallRec = nullptr;
  orb::TorbRowsParamsList* FOut = nullptr;
  TTextLossLog FTextLoss{*this};
};

// The filter whose script runs on the calling thread, or nullptr.
TaPlugin* RunningFilter();

// "GetFuncList": every registered function as a tab-indented outline, one line each
// ending with CR LF: "Functions", the categories, their functions.
std::string FunctionCatalogue();

}  // namespace filter
