// One configuration of the plug-in as the host drives it: LOAD with the settings
// location and the host window, commands, data calls, UNLOAD and the release call.
// The host window receives the module's notifications; log lines and events are
// fetched and written out as they arrive.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "OutputSink.h"
#include "PluginLibrary.h"
#include "VariantJson.h"
#include "platform/MessageWindow.h"

struct SessionOptions {
  std::uint32_t ConfigId = 1;
  std::string RegistryPath = "\\Software\\Velmora\\Host";
  std::string INISectionPrefix;
  std::string INIFile;
  std::string Language = "EN";
  orb::TModuleTypes ModuleTypes = orb::ModuleTypeBit(orb::mttFilter);
};

class HostSession {
public:
  HostSession(PluginLibrary& library, SessionOptions options);
  ~HostSession();

  // Where log lines ("level text") and events (JSON lines) go; stderr and none by default.
  void SetLogOutput(OutputSink* out) { FLogOut = out; }
  void SetEventOutput(OutputSink* out) { FEventOut = out; }

  std::int32_t Load();
  std::int32_t SetState(bool enabled);
  std::int32_t Unload();
  std::int32_t Release();
  // Shows the configuration's options dialog, as the host does when the user asks for
  // it; the export's outcome (1 confirmed, 0 not, 2 to 4 no dialog).
  std::int32_t ShowOptions();
  // Sends a command with arguments and a "RESULT" item; answer := "RESULT" afterwards.
  std::int32_t Command(const std::string& verb, const std::vector<std::pair<std::string, rtl::Variant>>& args,
                       rtl::Variant& answer);
  // A call record for this configuration with a parameter list the host owns.
  HostCall NewCall() const;
  // Dispatches the window's waiting messages (log and event notifications).
  void PumpMessages();
  // The same, when the last time is 10 ms ago or more. Looking at an empty queue costs
  // a call into the window system (under Wine a round trip to its server, longer than
  // a small packet takes); what waits is fetched a little later and in the same order.
  void PumpMessagesWhenDue();
  // Fetches and writes what waits, without waiting for a notification.
  void DrainLog();
  void DrainEvents();

  PluginLibrary& Library() { return FLibrary; }

private:
  void OnMessage(const platform::WindowMessage& m);
  void WriteLogBlock(const char* data, std::size_t size);
  void AddCommonArguments(orb::TorbParamsList& params) const;

  PluginLibrary& FLibrary;
  SessionOptions FOptions;
  platform::MessageWindow FWindow;
  OutputSink* FLogOut = &StandardError();
  OutputSink* FEventOut = nullptr;
  std::uint64_t FLastPump = 0;
};
