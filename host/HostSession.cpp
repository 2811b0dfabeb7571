#include "HostSession.h"

#include <cstring>

#include "JsonReader.h"
#include "Public/Common/orbWait.h"
#include "platform/Clock.h"
#include "platform/Modules.h"
#include "rtl/CodePage.h"

namespace {
constexpr std::uint32_t kLogWaiting = 0x711;
constexpr std::uint32_t kEventsWaiting = 0x713;
constexpr std::uint32_t kReloadSettings = 0x714;
constexpr std::uint32_t kCopyData = 0x004A;

rtl::Variant Text(const std::string& s) {
  std::u16string w = rtl::AnsiToWide(s);
  return rtl::Variant(std::u16string_view(w));
}
}  // namespace

HostSession::HostSession(PluginLibrary& library, SessionOptions options)
    : FLibrary(library), FOptions(std::move(options)) {
  FWindow.Create([this](const platform::WindowMessage& m) { OnMessage(m); });
}

HostSession::~HostSession() { FWindow.Destroy(); }

HostCall HostSession::NewCall() const { return HostCall(FOptions.ConfigId, FOptions.ModuleTypes); }

void HostSession::AddCommonArguments(orb::TorbParamsList& params) const {
  params.Add("MessagesProcessorHandle", rtl::Variant(static_cast<std::int64_t>(FWindow.Handle())));
}

std::int32_t HostSession::ShowOptions() {
  HostCall call = NewCall();
  orb::TorbParamsList& p = *call.Params;
  AddCommonArguments(p);
  p.Add("INI-FILE", Text(FOptions.INIFile));
  p.Add("LANGUAGE", Text(FOptions.Language));
  FLibrary.ShowOptionsDialog(&call.Rec);
  PumpMessages();
  return static_cast<std::int32_t>(call.Rec.Output.Data);
}

std::int32_t HostSession::Load() {
  HostCall call = NewCall();
  orb::TorbParamsList& p = *call.Params;
  p.Add("COMMAND", Text("LOAD"));
  AddCommonArguments(p);
  p.Add("RegistryPath", Text(FOptions.RegistryPath));
  p.Add("INISectionPrefix", Text(FOptions.INISectionPrefix));
  p.Add("INI-FILE", Text(FOptions.INIFile));
  p.Add("HANDLE", rtl::Variant(static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(platform::MainProgramModule()))));
  p.Add("ApplicationName", Text(platform::ModuleFileName(platform::MainProgramModule())));
  p.Add("LANGUAGE", Text(FOptions.Language));
  p.Add("CONFIG-ID", rtl::Variant(static_cast<std::int32_t>(FOptions.ConfigId)));
  std::int32_t result = FLibrary.ExecutePluginCommand(&call.Rec);
  PumpMessages();
  return result;
}

std::int32_t HostSession::SetState(bool enabled) {
  HostCall call = NewCall();
  call.Params->Add("COMMAND", Text("SET-STATE"));
  AddCommonArguments(*call.Params);
  call.Params->Add("RESULT", rtl::Variant(enabled ? 1 : 0));
  std::int32_t result = FLibrary.ExecutePluginCommand(&call.Rec);
  PumpMessages();
  return result;
}

std::int32_t HostSession::Unload() {
  HostCall call = NewCall();
  call.Params->Add("COMMAND", Text("UNLOAD"));
  AddCommonArguments(*call.Params);
  call.Params->Add("INI-FILE", Text(FOptions.INIFile));
  // What is still queued is fetched before the instance drops its lists.
  DrainLog();
  DrainEvents();
  std::int32_t result = FLibrary.ExecutePluginCommand(&call.Rec);
  PumpMessages();
  return result;
}

std::int32_t HostSession::Release() {
  HostCall call = NewCall();
  call.Rec.CallKind = orb::ckRelease;
  DrainLog();
  return FLibrary.ExecutePluginCommand(&call.Rec);
}

std::int32_t HostSession::Command(const std::string& verb, const std::vector<std::pair<std::string, rtl::Variant>>& args,
                                  rtl::Variant& answer) {
  HostCall call = NewCall();
  call.Params->Add("COMMAND", Text(verb));
  AddCommonArguments(*call.Params);
  for (const auto& [name, value] : args) call.Params->Add(name, value);
  if (!call.Params->ItemByName("RESULT")) call.Params->Add("RESULT", rtl::Variant::Null());
  std::int32_t result = FLibrary.ExecutePluginCommand(&call.Rec);
  call.Params->ReadValue("RESULT", 0, answer);
  PumpMessages();
  return result;
}

void HostSession::PumpMessages() {
  orb::ProcessThreadMessages(0);
  FLastPump = platform::TickCount64();
}

void HostSession::PumpMessagesWhenDue() {
  if (platform::TickCount64() - FLastPump >= 10) PumpMessages();
}

void HostSession::OnMessage(const platform::WindowMessage& m) {
  if (m.Msg == kLogWaiting) {
    DrainLog();
  } else if (m.Msg == kEventsWaiting) {
    DrainEvents();
  } else if (m.Msg == kReloadSettings) {
    rtl::Variant ignored;
    Command("LOAD-SETTINGS-NOW", {{"INI-FILE", Text(FOptions.INIFile)}}, ignored);
  } else if (m.Msg == kCopyData && m.Data) {
    WriteLogBlock(static_cast<const char*>(m.Data), m.Size);
  }
}

// Each line: the level digit (severity byte less one), a blank, the rest of the line.
void HostSession::WriteLogBlock(const char* data, std::size_t size) {
  if (!FLogOut) return;
  std::size_t start = 0;
  while (start < size) {
    std::size_t end = start;
    while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
    if (end > start) {
      int level = static_cast<unsigned char>(data[start]) - 1;
      FLogOut->WriteLine(std::to_string(level) + " " + rtl::AnsiToUtf8(std::string_view(data + start + 1, end - start - 1)));
    }
    start = end;
    while (start < size && (data[start] == '\r' || data[start] == '\n')) ++start;
  }
  FLogOut->Flush();
}

void HostSession::DrainLog() {
  std::vector<char> buffer(64 * 1024);
  for (int attempt = 0; attempt < 2; ++attempt) {
    HostCall call = NewCall();
    call.Rec.Input.Size = static_cast<std::int32_t>(buffer.size());
    call.Rec.Input.Data = reinterpret_cast<std::uintptr_t>(buffer.data());
    std::int32_t n = FLibrary.GetLogEx(&call.Rec);
    if (n > 0) {
      WriteLogBlock(buffer.data(), static_cast<std::size_t>(n));
      return;
    }
    const std::uintptr_t needed = call.Rec.Output.Data;
    if (needed <= buffer.size()) return;
    buffer.resize(needed);  // too small: the lines wait for a bigger buffer
  }
}

void HostSession::DrainEvents() {
  HostCall call = NewCall();
  if (FLibrary.GetEvents(&call.Rec) != 0 || call.Rec.Output.DataType != orb::pdtParamsList) return;
  const orb::TorbParamsList* events = call.Rec.Output.List();
  if (events && FEventOut) {
    JsonObjectBuilder row;
    for (int i = 0; i < events->Count(); ++i) {
      const orb::TorbParamsListItem* item = events->Items(i);
      if (item->IsRowMarker())
        FEventOut->WriteLine(row.Take().dump());
      else
        row.Set(rtl::AnsiToUtf8(item->Name.view()), VariantToJson(item->Value));
    }
    if (!row.Empty()) FEventOut->WriteLine(row.Take().dump());
    FEventOut->Flush();
  }
  // Handing the list back confirms it.
  FLibrary.GetEvents(&call.Rec);
}
