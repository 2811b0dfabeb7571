#include "PacketRun.h"

#include <new>
#include <stdexcept>

#include "CodeCheck.h"
#include "HostCallbacks.h"
#include "HostFiles.h"
#include "HostSession.h"
#include "JsonReader.h"
#include "Private/Plugins/orbProxyCode.h"
#include "Private/Plugins/orbWreg.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/Object.h"

bool WriteRunSettings(const std::string& iniFile, const std::string& section, const PacketRunSettings& settings) {
  rtl::TObjectPtr<orb::TProxyCodeObject> cfg = rtl::MakeObject<orb::TProxyCodeObject>();
  cfg->edtExpr_Lines->SetText(settings.Script);
  cfg->comboType_ItemIndex = settings.Language;
  rtl::TObjectPtr<orb::TWreg> store = rtl::MakeObject<orb::TWreg>();
  store->INIFile = iniFile;
  store->INIFileSectionPrefix = section;
  store->ComponentLines()->Add("edtExpr.Lines,Script");
  store->ComponentLines()->Add("comboType.ItemIndex,Language");
  if (settings.RowTimeLimit >= 0) {
    cfg->RowTimeLimit = settings.RowTimeLimit;
    store->ComponentLines()->Add("RowTimeLimit,Row time limit");
  }
  if (settings.MemoryLimit >= 0) {
    cfg->MemoryLimit = settings.MemoryLimit;
    store->ComponentLines()->Add("MemoryLimit,Script memory limit");
  }
  return store->Save(cfg.get());
}

namespace {

// A variable name in the process code page; false when the code page cannot hold it,
// as two names would then read the same and one value would be lost.
bool VariableName(const std::string& utf8, rtl::AnsiString& name, std::string& error) {
  if (utf8.find_first_not_of(" \t\r\n") == std::string::npos) {
    error = "a variable name is empty";
    return false;
  }
  if (rtl::WideToAnsiExact(rtl::Utf8ToWide(utf8), name)) return true;
  error = "the variable name \"" + utf8 + "\" has characters that code page " +
          std::to_string(rtl::ProcessCodePage()) + " cannot hold";
  return false;
}

// One packet from a JSON line; false with a reason for a line that is not one.
bool BuildPacket(const std::string& line, orb::TorbParamsList& packet, std::string& error) {
  Json j;
  if (!ParseJson(line, j, error)) return false;
  auto addRow = [&](const Json& row) {
    for (auto it = row.begin(); it != row.end(); ++it) {
      rtl::AnsiString name;
      if (!VariableName(it.key(), name, error)) return false;
      packet.Add(name.view(), JsonToVariant(it.value()));
    }
    return true;
  };
  if (j.is_object()) return addRow(j);
  if (!j.is_array()) {
    error = "a packet is a JSON object or an array of objects";
    return false;
  }
  for (const Json& row : j) {
    if (!row.is_object()) {
      error = "an array element is not an object";
      return false;
    }
  }
  for (const Json& row : j) {
    if (!addRow(row)) return false;
    packet.AddRowMarker();
  }
  return true;
}

Json RowsOf(const orb::TorbParamsList* list) {
  Json rows = Json::array();
  if (!list) return rows;
  JsonObjectBuilder row;
  bool open = false;
  for (int i = 0; i < list->Count(); ++i) {
    const orb::TorbParamsListItem* item = list->Items(i);
    if (item->IsRowMarker()) {
      rows.push_back(row.Take());
      open = false;
    } else {
      if (!open) {
        int n = i;
        while (n < list->Count() && !list->Items(n)->IsRowMarker()) ++n;
        row.Reserve(static_cast<std::size_t>(n - i));
      }
      row.Set(rtl::AnsiToUtf8(item->Name.view()), VariantToJson(item->Value));
      open = true;
    }
  }
  if (open) rows.push_back(row.Take());
  return rows;
}

void WriteSent(OutputSink* out) {
  for (const SentCall& c : TakeSentCalls()) {
    if (!out) continue;
    Json j = Json::object();
    j["callback"] = c.Callback;
    j["cookie"] = c.Cookie;
    j["target"] = c.Target;
    j["source"] = c.SourceId;
    j["data"] = rtl::AnsiToUtf8(c.Bytes);
    out->WriteLine(j.dump());
  }
  if (out) out->Flush();
}

std::string WriteFailure(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e)) return "out of memory";
  if (auto* own = dynamic_cast<const rtl::Exception*>(&e)) return own->Message();
  return e.what();
}

// What the library answers for a packet whose script did not compile.
constexpr std::int32_t kCompileFailed = -4;

}  // namespace

bool RunPackets(PluginLibrary& library, const PacketRunSettings& settings, std::istream& input,
                const PacketRunOutputs& out, std::string& error) {
  SessionOptions options;
  options.ConfigId = settings.ConfigId;
  const std::string ini = platform::TempFolder() + "velmora-run-" + std::to_string(platform::CurrentProcessId()) + ".ini";
  options.INIFile = ini;
  options.INISectionPrefix = "{Velmora:Run}";
  if (!WriteRunSettings(ini, options.INISectionPrefix, settings)) {
    error = "cannot write the settings file '" + ini + "'";
    return false;
  }
  TakeSentCalls();  // nothing of an earlier run belongs to this one

  HostSession session(library, options);
  session.SetLogOutput(out.Log);
  session.SetEventOutput(out.Events);
  session.Load();
  session.SetState(true);

  std::string line;
  int lineNumber = 0, packetNumber = 0;
  bool tooLong = false, compileReported = false;
  while (ReadInputLine(input, line, tooLong)) {
    ++lineNumber;
    const std::string skipped = out.MessagePrefix + "input line " + std::to_string(lineNumber) + " skipped: ";
    if (tooLong) {
      out.Messages->WriteLine(skipped + "longer than " + std::to_string(kMaxInputLineBytes >> 20) + " MB");
      continue;
    }
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    orb::TorbParamsList packet;
    std::string reason;
    if (!BuildPacket(line, packet, reason)) {
      out.Messages->WriteLine(skipped + reason);
      continue;
    }
    HostCall call = session.NewCall();
    call.Rec.Input.DataType = orb::pdtParamsList;
    call.Rec.Input.Data = reinterpret_cast<std::uintptr_t>(&packet);
    const std::int32_t result = library.ProcessData(&call.Rec);
    const orb::TorbParamsList* list = nullptr;
    if ((call.Rec.Output.DataType == orb::pdtParamsList || call.Rec.Output.DataType == orb::pdtParamsList2) &&
        call.Rec.Output.Data)
      list = call.Rec.Output.List();
    ++packetNumber;
    // A packet too big to be written as one line is told on the messages, and the
    // packets after it are still run and written.
    try {
      Json packetOut = Json::object();
      packetOut["result"] = result;
      packetOut["rows"] = RowsOf(list);
      out.Packets->WriteLine(packetOut.dump());
    } catch (const std::exception& e) {
      out.Messages->WriteLine(out.MessagePrefix + "packet " + std::to_string(packetNumber) +
                              " not written: " + WriteFailure(e));
    }
    out.Packets->Flush();
    session.PumpMessagesWhenDue();
    WriteSent(out.Sent);
    if (result == kCompileFailed && !compileReported) {
      // The log says that the script failed to compile; the check script says where.
      compileReported = true;
      session.PumpMessages();
      std::string where;
      if (CheckScriptCode(session, settings.Language, settings.Script, settings.ScriptFile, where) == CheckResult::Fails)
        out.Messages->WriteLine(where);
    }
  }
  session.Unload();
  session.Release();
  WriteSent(out.Sent);
  out.Messages->Flush();
  platform::RemoveFile(ini);
  return true;
}
