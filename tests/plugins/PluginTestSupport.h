// A module subclass that records what the framework raises, and call records built
// the way the host builds them.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "Private/Plugins/orbInstances.h"
#include "Private/Plugins/orbPluginModule.h"
#include "Private/Plugins/orbPluginTypes.h"
#include "Public/Common/orbParamLst.h"
#include "Public/Common/orbWait.h"
#include "platform/MessageWindow.h"

extern "C" {
std::uint32_t ORB_STDCALL GetPluginIntfVersion();
bool ORB_STDCALL GetModuleInfo(orb::PPluginCallRec, orb::TModuleInfoBlock*, std::uint32_t*);
std::uint32_t ORB_STDCALL GetModuleType(orb::PPluginCallRec);
const char* ORB_STDCALL GetModuleDescription(orb::PPluginCallRec);
float ORB_STDCALL GetAppMinVersion(orb::PPluginCallRec);
bool ORB_STDCALL MultiThreadSupport(orb::PPluginCallRec);
std::int32_t ORB_STDCALL GetCustomCommands(orb::PPluginCallRec);
void ORB_STDCALL ShowOptionsDialog(orb::PPluginCallRec);
std::int32_t ORB_STDCALL ExecutePluginCommand(orb::PPluginCallRec);
std::int32_t ORB_STDCALL ProcessData(orb::PPluginCallRec);
std::int32_t ORB_STDCALL GetData(orb::PPluginCallRec);
std::int32_t ORB_STDCALL GetEvents(orb::PPluginCallRec);
std::int32_t ORB_STDCALL GetLogEx(orb::PPluginCallRec);
}

namespace plugintest {

// Everything the test module saw.
struct Journal {
  std::vector<std::string> Events;
  // Counted from the host threads of the concurrency tests.
  std::atomic<int> Constructed{0};
  std::atomic<int> Destroyed{0};
  std::uintptr_t LastInputData = 0;
  std::int32_t ProcessResult = 0;
  std::int32_t CustomResult = -2;
  bool OptionsSuccess = true;
  // When set, runs inside handlers (nested commands, exceptions ...).
  std::function<void(orb::TorbPlugin*, const std::string&)> Hook;

  void Reset();
};
Journal& TheJournal();

class TTestPlugin : public orb::TorbPlugin {
public:
  TTestPlugin(orb::PPluginCallRec rec, void* dll);
  ~TTestPlugin() override;

protected:
  void InitializeForm() override;
};

// A host-side call: record and parameter list.
struct Call {
  explicit Call(std::uint32_t configId = 7, orb::TModuleTypes types = 0);
  Call& Arg(const char* name, const rtl::Variant& value) {
    Params->Add(name, value);
    return *this;
  }
  Call& Command(const char* verb) { return Arg("COMMAND", rtl::Variant(rtl::AnsiString(verb))); }
  Call& Result() { return Arg("RESULT", rtl::Variant::Null()); }
  rtl::Variant Answer(const char* name = "RESULT") const;
  std::string AnswerText(const char* name = "RESULT") const;
  std::int32_t Execute() { return ExecutePluginCommand(&Rec); }

  orb::PluginCallRec Rec;
  std::unique_ptr<orb::TorbParamsList> Params;
};

// Messages the module sent to the host window.
struct HostWindow {
  HostWindow();
  std::vector<std::uint32_t> Posted;
  std::vector<std::pair<std::uintptr_t, std::string>> CopyData;
  platform::MessageWindow Window;
  void Pump() { orb::ProcessThreadMessages(0); }
};

// Every test starts with a fresh framework whose module class is TTestPlugin.
class PluginTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  orb::TorbPlugin* Instance(std::uint32_t configId = 7);
  // LOAD with a host window; returns the command result.
  std::int32_t Load(std::uint32_t configId = 7, HostWindow* window = nullptr);
};

std::string Text(const rtl::Variant& v);

}  // namespace plugintest
