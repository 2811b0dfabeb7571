#include "filter/FilterModule.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "Public/Common/orbThreadObject.h"
#include "engine/fsScript.h"
#include "filter/DataSourceCfg.h"
#include "filter/FilterFunctions.h"
#include "filter/FilterScriptSetup.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/LongWork.h"
#include "rtl/UserWait.h"
#include "ui/frmOption.h"

namespace filter {

namespace {

[[maybe_unused]] const rtl::TClassInfo& kRegistered = TaPlugin::StaticClassInfo();

// The module's exclusive lock for a scope.
class ModuleLock {
public:
  explicit ModuleLock(TaPlugin* plugin) : FPlugin(plugin) { FPlugin->Lock(); }
  ~ModuleLock() { FPlugin->Unlock(); }
  ModuleLock(const ModuleLock&) = delete;
  ModuleLock& operator=(const ModuleLock&) = delete;

private:
  TaPlugin* FPlugin;
};

// The form's message table: identifier, text and the dialog fields, then a blank line.
const char* const kMessageLines[] = {
    "MsgCompile||\"%s\" script has been compiled successfully||||||D||||||||",
    "MsgExecErr||Unable to execute \"%s\" script: %s||||||D||||||||",
    "MsgDiscard||Data packet has been discarded||||||D||||||||",
    "MsgTextLost||%s lost characters outside the code page||||||D||||||||",
    " ",
};

// The settings items: the dialog's geometry above the marker, the content below it.
const char* const kPropertyLines[] = {
    "Top,Top",   "Left,Left", "Width,Width", "Height,Height", "panRight.Width,Editor width", ";---short---",
    "edtExpr.Lines,Script", "comboType.ItemIndex,Language", "RowTimeLimit,Row time limit",
    "MemoryLimit,Script memory limit",
};

// Long strings, not short ones: an exception message is not cut at 255 characters.
thread_local TaPlugin* tRunning = nullptr;

// Marks the filter whose script runs on this thread for the scope of a packet; its
// script's run-time limit hears of the thread's waits for the user and of the long work of
// native routines.
class RunningScope {
public:
  RunningScope(TaPlugin* plugin, fs::TfsRunLimit* limit, rtl::TTextLossListener* textLoss)
      : FPrevious(tRunning),
        FPreviousListener(rtl::SetUserWaitListener(limit)),
        FPreviousWorkListener(rtl::SetLongWorkListener(limit)),
        FPreviousTextLoss(rtl::SetTextLossListener(textLoss)) {
    tRunning = plugin;
  }
  ~RunningScope() {
    tRunning = FPrevious;
    rtl::SetUserWaitListener(FPreviousListener);
    rtl::SetLongWorkListener(FPreviousWorkListener);
    rtl::SetTextLossListener(FPreviousTextLoss);
  }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;

private:
  TaPlugin* FPrevious;
  rtl::TUserWaitListener* FPreviousListener;
  rtl::TLongWorkListener* FPreviousWorkListener;
  rtl::TTextLossListener* FPreviousTextLoss;
};

// Bounds one row's run by the configuration's limit.
class RowRunLimit {
public:
  RowRunLimit(fs::TfsRunLimit& limit, std::int32_t limitMs) : FLimit(limit) {
    FLimit.Start(static_cast<std::uint32_t>(std::max<std::int32_t>(limitMs, 0)));
  }
  ~RowRunLimit() { FLimit.Finish(); }
  RowRunLimit(const RowRunLimit&) = delete;
  RowRunLimit& operator=(const RowRunLimit&) = delete;

private:
  fs::TfsRunLimit& FLimit;
};

std::string FormatMessage(const std::string& text, std::initializer_list<std::string> args) {
  std::vector<rtl::FormatArg> formatArgs;
  for (const std::string& a : args) formatArgs.push_back(rtl::FormatArg::FromWide(rtl::AnsiToWide(a)));
  return rtl::Format(text, formatArgs);
}

}  // namespace

TaPlugin* RunningFilter() { return tRunning; }

const rtl::TClassInfo& TaPlugin::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TaPlugin>("TaPlugin", &orb::TorbPlugin::StaticClassInfo()).Abstract();
  return info;
}

TaPlugin::TaPlugin(orb::PPluginCallRec pCallRec, void* dllHandle)
    : TorbPlugin(pCallRec, dllHandle), FScript(std::make_unique<fs::TfsScript>()) {
  FScript->SetSyntaxType("PascalScript");
  SetFilterOfScript(FScript.get(), this);
}

TaPlugin::~TaPlugin() {
  SetFilterOfScript(FScript.get(), nullptr);
  delete FRow;
  delete FStored;
}

void TaPlugin::InitializeForm() {
  Description = "Velmora";
  LogTitle = "Velmora";
  ModuleType = orb::ModuleTypeBit(orb::mttFilter);
  IsMultiThreadSupported = true;
  MinVersion = 4.0f;
  MsgNoData = "No data for processing";
  MsgWriteComplete = "Data have been processed successfully";
  MsgWriteCompleteError = "Data have been processed with errors";

  FProperties = new orb::TorbStrHolder(this);
  FProperties->SetName("Properties");
  for (const char* line : kPropertyLines) FProperties->Strings()->Add(line);
  FMessages = new ui::TMsgArray(this);
  FMessages->SetName("maData");
  for (const char* line : kMessageLines) FMessages->MessagesArray()->Add(line);

  SetOnCreate([this](rtl::TObject* s) { orbPluginCreate(s); });
  OnLoad = [this](orb::TorbPlugin* s, orb::PPluginCallRec r, std::int32_t& res) { orbPluginLoad(s, r, res); };
  OnUnload = [this](orb::TorbPlugin* s, orb::PPluginCallRec r, std::int32_t& res) { orbPluginUnload(s, r, res); };
  OnSaveSettingsNow = [this](rtl::TObject* s) { orbPluginSaveSettingsNow(s); };
  OnLoadSettingsNow = [this](rtl::TObject* s) { orbPluginLoadSettingsNow(s); };
  OnShowOptionsDialog = [this](orb::TorbPlugin* s, orb::PPluginCallRec r, bool& ok) {
    orbPluginShowOptionsDialog(s, r, ok);
  };
  OnProcessData = [this](orb::TorbPlugin* s, orb::PPluginCallRec r, std::int32_t& res) {
    orbPluginProcessData(s, r, res);
  };
  OnEvent = [this](orb::TorbPlugin* s, const std::string& c, orb::PPluginCallRec r, std::int32_t& res) {
    orbPluginEvent(s, c, r, res);
  };
}

std::string TaPlugin::Message(const char* id) const { return FMessages->GetMessageText(id); }

void TaPlugin::TTextLossLog::TextLost(std::string_view routine) noexcept {
  if (FLogged) return;
  FLogged = true;
  try {
    FPlugin.AddLog(1, FormatMessage(FPlugin.Message("MsgTextLost"), {std::string(routine)}));
  } catch (...) {
    // A warning that cannot be written is not worth the row.
  }
}

void TaPlugin::orbPluginCreate(rtl::TObject*) {
  // The log messages of maData are translated with the module's other texts.
  if (orb::TWtransl* translator = Translator()) translator->AddComponentProperty("MessagesText");
}

void TaPlugin::ApplyConfig(TDataSourceCfg* cfg) {
  if (!cfg) return;
  ModuleLock lock(this);
  FCompileTried = false;
  FCompiled = false;
  FTextLoss.Reset();
  if (FStored) FStored->Clear();
  cfg->Load();
  FEnabled = cfg->comboType_ItemIndex >= 0 && cfg->edtExpr_Lines->Count() > 0;
}

void TaPlugin::ReplaceConfig() {
  TDataSourceCfg* fresh = new TDataSourceCfg(this);
  try {
    ApplyConfig(fresh);
  } catch (...) {
    rtl::FreeObject(fresh);
    throw;
  }
  ModuleLock lock(this);
  TDataSourceCfg* old = FCfg;
  FCfg = fresh;
  rtl::FreeObject(old);
}

void TaPlugin::orbPluginLoad(orb::TorbPlugin*, orb::PPluginCallRec, std::int32_t&) {
  if (!FRow) FRow = new TWorkingRow();
  if (!FStored) FStored = new TStoredVariables();
  if (!FCfg) FCfg = new TDataSourceCfg(this);
  ApplyConfig(FCfg);
  FDiscard = false;
  FDiscardReason.clear();
  FDiscardSilent = false;
}

void TaPlugin::orbPluginUnload(orb::TorbPlugin*, orb::PPluginCallRec, std::int32_t&) {
  ModuleLock lock(this);
  rtl::FreeAndNil(FCfg);
  delete FRow;
  FRow = nullptr;
  delete FStored;
  FStored = nullptr;
}

void TaPlugin::orbPluginSaveSettingsNow(rtl::TObject*) {
  if (FCfg) FCfg->Save();
}

void TaPlugin::orbPluginLoadSettingsNow(rtl::TObject*) {
  if (FCfg) ApplyConfig(FCfg);
}

void TaPlugin::orbPluginShowOptionsDialog(orb::TorbPlugin*, orb::PPluginCallRec, bool& Success) {
  Success = false;
  // The dialog has stored what the user confirmed when it closes with OK.
  rtl::TObjectPtr<ui::TfrmOption> dialog = rtl::MakeObject<ui::TfrmOption>(this);
  if (dialog->ShowModal() != gui::mrOk) return;
  ReplaceConfig();
  Success = true;
}

void TaPlugin::CompileScript() {
  PrepareFilterScript(*FScript, FCfg->edtExpr_Lines, FCfg->SyntaxType());
  FCompileTried = true;
  ApplyMemoryLimit();
  bool compiled = false;
  {
    rtl::TScriptMemoryScope memory(FMemory.get());
    compiled = FScript->CompileProgram();
  }
  if (compiled) {
    AddLog(2, FormatMessage(Message("MsgCompile"), {FScript->SyntaxType()}));
    FCompiled = true;
  } else {
    std::string text = FScript->LastErrorText();
    if (!FScript->LastErrorUnit().empty()) text = FScript->LastErrorUnit() + ": " + text;
    AddLog(0, text);
    FEnabled = false;
  }
}

void TaPlugin::orbPluginProcessData(orb::TorbPlugin*, orb::PPluginCallRec pCallRec, std::int32_t& Result) {
  Result = 0;
  const std::uint8_t kind = pCallRec->Input.DataType;
  if ((kind != orb::pdtParamsList && kind != orb::pdtParamsList2) || !pCallRec->Input.Data) {
    // No packet (or an empty one) hands back no rows: the output list still holds the
    // previous packet's, which the framework would pass on again.
    std::lock_guard output(FOutputLock);
    if (orb::TorbRowsParamsList* out = DataOut()) out->Clear();
    return;
  }
  orb::TorbParamsList* input = pCallRec->Input.List();
  ModuleLock lock(this);
  // The output list stays ours for the whole packet: a concurrent GetData waits.
  std::lock_guard output(FOutputLock);
  orb::TorbRowsParamsList* out = DataOut();
  auto passUnchanged = [&] {
    out->Clear();
    std::memcpy(&pCallRec->Output, &pCallRec->Input, sizeof(orb::TPluginData));
  };
  if (!FEnabled || !FRow || !FCfg) {
    passUnchanged();
    return;
  }
  if (!FCompileTried) CompileScript();
  if (!FCompiled) {
    passUnchanged();
    Result = -4;
    return;
  }
  out->Clear();
  RunningScope running(this, &FScript->RunLimit(), &FTextLoss);
  ApplyMemoryLimit();
  try {
    RunRows(pCallRec, input, out);
  } catch (const std::exception& e) {
    if (!LogRunError(e)) throw;
  }
}

void TaPlugin::ApplyMemoryLimit() {
  // Below 0 means no limit, as for the row time limit.
  FMemory->SetLimitMB(static_cast<std::uint32_t>(std::max<std::int32_t>(FCfg->MemoryLimit, 0)));
}

bool TaPlugin::LogRunError(const std::exception& e) {
  std::string message;
  if (auto* own = dynamic_cast<const rtl::Exception*>(&e))
    message = own->Message();
  else if (dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e))
    // Memory that cannot be had fails the row like any other run-time error.
    message = rtl::EOutOfMemory().Message();
  else
    return false;
  AddLog(0, FormatMessage(Message("MsgExecErr"), {FScript->SyntaxType(), message}));
  return true;
}

void TaPlugin::RunRows(orb::PPluginCallRec pCallRec, orb::TorbParamsList* input, orb::TorbRowsParamsList* out) {
  std::int32_t start = 0, end = 0;
  bool marker = false;
  // The working row refers to the packet's items, which the host frees after the
  // call: it must not keep them past it, whatever way the loop ends.
  struct ForgetPacket {
    TWorkingRow* Row;
    ~ForgetPacket() { Row->Clear(); }
  } forget{FRow};
  while (input->FindRowEnd(start, end, marker)) {
    const std::int32_t last = marker ? end - 1 : end;
    if (last >= start)
      FRow->Load(input, start, last);
    else
      FRow->Clear();
    if (!FRow->Empty()) {
      try {
        FRow->RowBase = FRow->Count();
        FDiscard = false;
        FDiscardReason.clear();
        FDiscardSilent = false;
        FCallRec = pCallRec;
        FOut = out;
        {
          RowRunLimit limit(FScript->RunLimit(), FCfg->RowTimeLimit);
          rtl::TScriptMemoryScope memory(FMemory.get());
          FScript->RunProgram();
        }
        if (!FDiscard) {
          // The working row is made again for the next row: its items go to the output.
          if (!FRow->Empty()) FRow->MoveTo(out);
        } else if (!FDiscardSilent) {
          std::string text = Message("MsgDiscard");
          if (!FDiscardReason.empty()) text += ": " + FDiscardReason;
          AddLog(2, text);
        }
      } catch (const std::exception& e) {
        if (!LogRunError(e)) throw;
      }
    }
    start = end + 1;
  }
  FCallRec = nullptr;
  FOut = nullptr;
}

}  // namespace filter
