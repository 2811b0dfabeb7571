#include "Private/Plugins/orbDataCalls.h"

#include <cstring>
#include <mutex>
#include <string>

#include "Private/Plugins/orbInstances.h"
#include "Private/Plugins/orbParams.h"
#include "Private/Plugins/orbPluginModule.h"
#include "Public/Common/orbWait.h"
#include "platform/CallStack.h"
#include "platform/Messages.h"
#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif

namespace orb {

// The host fills and reads these records byte for byte.
#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(TPluginData) == 13);
static_assert(offsetof(TPluginData, Size) == 4);
static_assert(offsetof(TPluginData, DataType) == 8);
static_assert(offsetof(TPluginData, Data) == 9);
static_assert(sizeof(PluginCallRec) == 102);
static_assert(offsetof(PluginCallRec, CallKind) == 4);
static_assert(offsetof(PluginCallRec, ConfigId) == 5);
static_assert(offsetof(PluginCallRec, ModuleIndex) == 9);
static_assert(offsetof(PluginCallRec, SourceRef) == 13);
static_assert(offsetof(PluginCallRec, SourceId) == 17);
static_assert(offsetof(PluginCallRec, ModuleTypes) == 21);
static_assert(offsetof(PluginCallRec, Params) == 22);
static_assert(offsetof(PluginCallRec, Input) == 26);
static_assert(offsetof(PluginCallRec, Output) == 39);
static_assert(offsetof(PluginCallRec, HostContext) == 52);
static_assert(sizeof(TModuleInfoBlock) == 33);
static_assert(offsetof(TModuleInfoBlock, TypeWord) == 4);
static_assert(offsetof(TModuleInfoBlock, InterfaceVersion) == 8);
static_assert(offsetof(TModuleInfoBlock, MinVersion) == 12);
static_assert(offsetof(TModuleInfoBlock, IsMultiThreadSupported) == 16);
static_assert(offsetof(TModuleInfoBlock, DescriptionLength) == 17);
static_assert(offsetof(TModuleInfoBlock, Description) == 21);
static_assert(offsetof(TModuleInfoBlock, CustomCommandsLength) == 25);
static_assert(offsetof(TModuleInfoBlock, CustomCommands) == 29);
#endif

namespace {

constexpr std::uint32_t kReloadSettings = 0x714;
constexpr std::uint32_t kUnloadWaitMs = 30000;

TorbParamsList* InputList(const PluginCallRec* rec) {
  return (rec->Input.DataType == pdtParamsList || rec->Input.DataType == pdtParamsList2) ? rec->Input.List() : nullptr;
}

bool IsRowsListClass(const TorbParamsList* list) {
  return rtl::AnsiLowerCase(list->ClassName()) == rtl::AnsiLowerCase(TorbRowsParamsList::ClassRef.ClassName);
}

// Clears FBusy on every way out of a data call.
struct BusyFlag {
  explicit BusyFlag(TorbPlugin* p) : Plugin(p) { Plugin->FBusy = 1; }
  ~BusyFlag() { Plugin->FBusy = 0; }
  TorbPlugin* Plugin;
};

// The call's parameter list must carry the list signature.
void CheckCallParams(const PluginCallRec* rec) {
  if (!TorbParamsList::IsValidList(rec->Params))
    rtl::AssertionFailure("Invalid call parameters", "Private\\Plugins\\orbPluginModule", __LINE__);
}

using Worker = std::int32_t (*)(TorbPlugin*, PPluginCallRec);

// The guard every data call runs through: valid record, an instance, not unloading.
std::int32_t GuardedDataCall(PPluginCallRec rec, bool create, bool clearOutput, const char* tag, Worker worker) {
  if (!ValidCallRec(rec)) return prInvalid;
  TInstanceUse use(rec, create);
  TorbPlugin* plugin = use.get();
  if (!plugin) return prInvalid;
  if (!WaitWhileFlags(kUnloadWaitMs, {&plugin->FBusy, &plugin->FTerminateNow})) return prInvalid;
  if (plugin->FTerminateNow) return prInvalid;
  if (create && !InstanceList()) return prInvalid;
  BusyFlag busy(plugin);
  if (clearOutput) rec->Output.Data = 0;
  try {
    return worker(plugin, rec);
  } catch (const rtl::Exception& e) {
    LogException(plugin, tag, e);
    return prException;
  } catch (...) {
    return prException;
  }
}

std::int32_t ProcessDataWorker(TorbPlugin* plugin, PPluginCallRec rec) {
  std::int32_t result = 0;
  if (!ValidCallRec(rec)) return 0;
  rec->Output.Data = 0;
  rec->Output.DataType = pdtNone;
  CheckCallParams(rec);
  const std::uintptr_t inputOnEntry = rec->Input.Data;
  const TModuleTypes types = rec->ModuleTypes;
  if (types != 0) {
    bool handlerStage = false;
    try {
      TorbParamsList* input = InputList(rec);
      if (!HasModuleType(types, mttDataQuery) && rec->Input.Data && input && input->Empty()) rec->Input.Data = 0;
      bool stop = false;
      if (HasModuleType(types, mttDataExport)) {
        if (!rec->Input.Data) {
          if (!plugin->MsgNoData.IsEmpty()) plugin->SendLog(1, plugin->MsgNoData.str());
          stop = true;
        } else if (rec->Input.DataType == pdtParamsList && input && IsRowsListClass(input) && !input->Empty() &&
                   !input->Last()->IsRowMarker()) {
          input->AddRowMarker();
        }
      }
      if (!stop) {
        handlerStage = true;
        if (plugin->OnProcessData) {
          plugin->OnProcessData(plugin, rec, result);
          {
            std::lock_guard guard(plugin->FOutputLock);
            TorbRowsParamsList* out = plugin->DataOut();
            if (rec->Output.DataType == pdtNone && out && !out->Empty()) {
              rec->Output.DataType = pdtParamsList;
              rec->Output.Data = reinterpret_cast<std::uintptr_t>(out);
            }
          }
          if (result > 0 && !rec->Input.Data) result = 0;
          if (HasModuleType(types, mttDataExport) || HasModuleType(types, mttEventsHandling)) {
            if (result < 0) {
              if (!plugin->MsgWriteCompleteError.IsEmpty()) plugin->SendLog(1, plugin->MsgWriteCompleteError.str());
            } else if (!plugin->MsgWriteComplete.IsEmpty()) {
              plugin->SendLog(2, plugin->MsgWriteComplete.str());
            }
          }
        } else if (HasModuleType(types, mttFilter)) {
          std::memcpy(&rec->Output, &rec->Input, sizeof(TPluginData));
        }
      }
    } catch (const rtl::Exception& e) {
      result = prException;
      if (handlerStage && !plugin->MsgWriteCompleteError.IsEmpty())
        plugin->SendLog(1, plugin->MsgWriteCompleteError.str() + ": " + e.Message());
    } catch (...) {
      result = prException;
    }
  }
  if (rec->Input.Data == inputOnEntry) rec->Input.Data = 0;
  return result;
}

bool IsAcknowledge(const PluginCallRec* rec) {
  return rec->Input.DataType == pdtCode && rec->Input.Data == AcknowledgeCode;
}

std::int32_t GetDataWorker(TorbPlugin* plugin, PPluginCallRec rec) {
  std::int32_t result = 0;
  if (rec->ModuleTypes == 0) return 0;
  try {
    const bool ack = IsAcknowledge(rec);
    if (!ack) {
      rec->Input.DataType = pdtNone;
      rec->Input.Data = 0;
    }
    TorbRowsParamsList* out = plugin->DataOut();
    if (plugin->OnGetData) plugin->OnGetData(plugin, rec, result);
    std::lock_guard guard(plugin->FOutputLock);
    if (ack) {
      if (out) out->Clear();
      return result;
    }
    if (out && !out->Empty()) {
      rec->Output.DataType = pdtParamsList;
      rec->Output.Data = reinterpret_cast<std::uintptr_t>(out);
    }
    if (result > 0 && !rec->Input.Data) result = 0;
  } catch (const rtl::Exception& e) {
    result = prException;
    if (!plugin->MsgWriteCompleteError.IsEmpty())
      plugin->SendLog(1, plugin->MsgWriteCompleteError.str() + ": " + e.Message());
  }
  return result;
}

std::int32_t GetEventsWorker(TorbPlugin* plugin, PPluginCallRec rec) {
  std::lock_guard guard(plugin->FOutputLock);
  if (rec->Output.Data == reinterpret_cast<std::uintptr_t>(plugin->FEvents) || IsAcknowledge(rec)) {
    plugin->FEvents->Clear();
  } else {
    rec->Output.DataType = pdtParamsList;
    rec->Output.Data = reinterpret_cast<std::uintptr_t>(plugin->FEvents);
  }
  return 0;
}

// Refuses GetData and GetEvents for an instance that was never loaded: its lists do not
// exist yet.
template <Worker W>
std::int32_t LoadedOnly(TorbPlugin* plugin, PPluginCallRec rec) {
  {
    std::lock_guard guard(plugin->FOutputLock);
    if (!plugin->FDataOut || !plugin->FEvents) return prInvalid;
  }
  return W(plugin, rec);
}

}  // namespace

std::int32_t DoProcessData(PPluginCallRec rec) {
  return GuardedDataCall(rec, true, true, "PROCESS", &ProcessDataWorker);
}

std::int32_t DoGetData(PPluginCallRec rec) {
  return GuardedDataCall(rec, false, true, "GETDATA", &LoadedOnly<GetDataWorker>);
}

std::int32_t DoGetEvents(PPluginCallRec rec) {
  return GuardedDataCall(rec, false, false, "GETEVENTS", &LoadedOnly<GetEventsWorker>);
}

std::int32_t DoGetLogEx(PPluginCallRec rec) {
  std::int32_t result = 0;
  try {
    rec->Output.DataType = pdtInteger;
    rec->Output.Data = 0;
    TInstanceUse plugin(rec, false);
    if (!plugin) return 0;
    std::size_t needed = 0;
    result = plugin->FLog.Fetch(reinterpret_cast<char*>(rec->Input.Data), rec->Input.Size, needed);
    rec->Output.Data = needed;
  } catch (...) {
  }
  return result;
}

bool DoGetModuleInfo(PPluginCallRec rec, TModuleInfoBlock* info, std::uint32_t* pSize) {
  if (pSize) *pSize = 0;
  TInstanceUse plugin(rec, true);
  if (!plugin) return false;
  const std::string description = rtl::AnsiToUtf8(plugin->Description.view());
  const std::string commands = rtl::AnsiToUtf8(plugin->CustomCommandsText());
  const std::uint32_t size = static_cast<std::uint32_t>(sizeof(TModuleInfoBlock) + description.size() + commands.size());
  if (pSize) *pSize = size;
  if (!info || info->BufferSize < sizeof(TModuleInfoBlock)) return false;
  const std::uint32_t bufferSize = info->BufferSize;
  std::memset(info, 0, sizeof(TModuleInfoBlock));
  info->BufferSize = bufferSize;
  info->TypeWord = plugin->ModuleType | (static_cast<std::uint32_t>(plugin->ModuleOptions & 0x7) << 16);
  info->InterfaceVersion = PluginInterfaceVersion;
  info->MinVersion = plugin->MinVersion;
  info->IsMultiThreadSupported = plugin->IsMultiThreadSupported ? 1 : 0;
  if (size > bufferSize) return false;
  char* text = reinterpret_cast<char*>(info) + sizeof(TModuleInfoBlock);
  if (!description.empty()) {
    std::memcpy(text, description.data(), description.size());
    info->DescriptionLength = static_cast<std::uint32_t>(description.size());
    info->Description = text;
    text += description.size();
  }
  if (!commands.empty()) {
    std::memcpy(text, commands.data(), commands.size());
    info->CustomCommandsLength = static_cast<std::uint32_t>(commands.size());
    info->CustomCommands = text;
  }
  return true;
}

std::int32_t DoGetCustomCommands(PPluginCallRec rec) {
  try {
    rec->Output.DataType = pdtInteger;
    rec->Output.Data = 0;
    TInstanceUse plugin(rec, true);
    if (!plugin) return 0;
    if (!HasModuleType(plugin->ModuleType, mttMenuExt)) return 0;
    const std::string text = plugin->CustomCommandsText();
    rec->Output.Data = text.size();
    const std::int32_t capacity = rec->Input.Size;
    if (text.empty() || capacity < 0 || text.size() > static_cast<std::size_t>(capacity)) return 0;
    std::memcpy(reinterpret_cast<void*>(rec->Input.Data), text.data(), text.size());
    return static_cast<std::int32_t>(text.size());
  } catch (...) {
    return 0;
  }
}

void DoShowOptionsDialog(PPluginCallRec rec) {
  if (!rec) return;
  rec->Output.DataType = pdtInteger;
  rec->Output.Size = 4;
  rec->Output.Data = 2;
  TInstanceUse use(rec, true);
  TorbPlugin* plugin = use.get();
  if (!plugin) return;
  if (!plugin->OnShowOptionsDialog) {
    rec->Output.Data = 3;
    return;
  }
  rec->Output.Data = 4;
  try {
    if (rec->Params) {
      plugin->FINIFile = ParamText(rec->Params, "INI-FILE");
      plugin->ApplyLanguageParameter(rec);
      if (HasParam(rec->Params, "OWNERFORM"))
        plugin->FOwnerForm = static_cast<std::uintptr_t>(ParamInt(rec->Params, "OWNERFORM"));
    }
    plugin->FShowingOptions = true;
    plugin->FOptionsModuleTypes = rec->ModuleTypes;
    plugin->FOptionsData = rec->Input.DataType == pdtParamsList ? rec->Input.List() : nullptr;
    bool success = false;
    try {
      plugin->OnShowOptionsDialog(plugin, rec, success);
    } catch (const rtl::Exception& e) {
      plugin->AddLog(0, e.Message() + " {SHOWOPTIONS}");
    }
    rec->Output.Data = success ? 1 : 0;
    if (success) {
      // Other instances that share these settings reload them.
      if (TThreadObjectList* list = InstanceList()) {
        rtl::TObjectList* items = list->LockListRead();
        for (int i = 0; i < items->Count(); ++i) {
          auto* other = static_cast<TorbPlugin*>(items->Items(i));
          if (other == plugin || other->FRegistryPath != plugin->FRegistryPath || !other->OnLoadSettingsNow) continue;
          try {
            if (other->FThreadId == platform::CurrentThreadId())
              other->OnLoadSettingsNow(other);
            else
              other->PostToHost(kReloadSettings, 0);
          } catch (...) {
          }
        }
        list->UnlockRead();
      }
    }
  } catch (...) {
  }
  plugin->FShowingOptions = false;
  plugin->FOptionsData = nullptr;
  plugin->FOptionsModuleTypes = 0;
}

std::int32_t DoExecutePluginCommand(PPluginCallRec rec) {
  if (!ValidCallRec(rec)) return prInvalid;
  TInstanceUse use(rec, true);
  TorbPlugin* plugin = use.get();
  std::string command;
  try {
    if (!plugin) return prInvalid;
    CheckCallParams(rec);
    plugin->ReadTemporaryLoad(rec);
    rtl::Variant v;
    if (!ReadParam(rec->Params, "COMMAND", v)) return prInvalid;
    command = rtl::VarToAnsiString(v).str();
    if (command.empty()) return prInvalid;
  } catch (const rtl::Exception& e) {
    LogException(plugin, "CMD?", e);
    return prException;
  } catch (...) {
    return prException;
  }
  try {
    return plugin->ExecuteCommand(command, rec);
  } catch (const rtl::Exception& e) {
    // This build's crash report: the exception and the call stack in the module log.
    plugin->AddLog(0, e.Message());
    plugin->AddLog(0, "Call stack: " + platform::CallStackText());
    return prException;
  } catch (...) {
    return prException;
  }
}

}  // namespace orb
