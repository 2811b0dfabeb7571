// The module's settings operations end to end: SAVE-SETTINGS-NOW, LOAD-SETTINGS-NOW
// and UNLOAD through a module whose handlers read and write a settings object, in INI
// files and in the registry (Wine's real one in the Windows build, the file-backed
// stand-in under a temporary XDG_CONFIG_HOME elsewhere), and two processes writing one
// INI file at the same time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "Private/Plugins/orbProxyCode.h"
#include "Private/Plugins/orbStrHolder.h"
#include "Private/Plugins/orbWreg.h"
#include "platform/Folders.h"
#include "platform/Modules.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "plugins/PluginTestSupport.h"
#include "rtl/CodePage.h"
#include "rtl/IniFile.h"

namespace {

namespace fs = std::filesystem;
using plugintest::Call;

// Taken once: the sandbox becomes the temporary folder itself.
const fs::path& SandboxFolder() {
  static const fs::path folder =
      fs::temp_directory_path() / ("velmora-test-" + std::to_string(platform::CurrentProcessId()));
  return folder;
}

// Keeps the tests away from the user's own settings: the registry stand-in lives
// under a temporary XDG_CONFIG_HOME for the whole test program, and every file the
// tests write in one temporary folder that goes at the end, with the lock files that
// the INI files in it were given.
class SettingsSandbox : public ::testing::Environment {
public:
  void SetUp() override {
    fs::create_directories(SandboxFolder() / "config");
#ifndef _WIN32
    // Windows has the real registry (the tests use keys of their own there), and
    // Wine itself reads this variable.
    platform::SetEnvVariable("XDG_CONFIG_HOME", (SandboxFolder() / "config").string());
#endif
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(SandboxFolder(), ignored);
    const std::string mark = orb::WregLockName(SandboxFolder().string());
    for (const fs::path& folder : {fs::path("/tmp"), fs::temp_directory_path()}) {
      for (fs::directory_iterator it(folder, ignored), end; !ignored && it != end; it.increment(ignored)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("velmora-", 0) == 0 && name.find(mark) != std::string::npos) fs::remove(it->path(), ignored);
      }
    }
  }
};
[[maybe_unused]] ::testing::Environment* const kSandbox = ::testing::AddGlobalTestEnvironment(new SettingsSandbox);

std::string TempFile(const std::string& name) {
  fs::create_directories(SandboxFolder());
  return (SandboxFolder() / name).string();
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const char* const kFilterItems[] = {"Top,Top",
                                    "Left,Left",
                                    "Width,Width",
                                    "Height,Height",
                                    "panRight.Width,Editor width",
                                    ";---short---",
                                    "edtExpr.Lines,Script",
                                    "comboType.ItemIndex,Language"};

// A module that keeps its settings in a settings object, as the filter does.
class TSettingsPlugin : public orb::TorbPlugin {
public:
  TSettingsPlugin(orb::PPluginCallRec rec, void* dll) : TorbPlugin(rec, dll) {}

  orb::TorbStrHolder* Properties = nullptr;
  orb::TProxyCodeObject* Cfg = nullptr;
  std::vector<std::string> Journal;

protected:
  void InitializeForm() override {
    Description = "Settings test";
    Properties = rtl::CreateObject<orb::TorbStrHolder>(this);
    Properties->SetName("Properties");
    for (const char* line : kFilterItems) Properties->Strings()->Add(line);
    Cfg = rtl::CreateObject<orb::TProxyCodeObject>(this);
    OnSaveSettingsNow = [this](rtl::TObject*) {
      Journal.push_back("save " + FINIFile);
      WriteSettings(Properties->Strings(), Cfg);
    };
    OnLoadSettingsNow = [this](rtl::TObject*) {
      Journal.push_back("load " + FINIFile);
      ReadSettings(Properties->Strings(), Cfg);
    };
    OnUnload = [this](orb::TorbPlugin*, orb::PPluginCallRec, std::int32_t&) { Journal.push_back("unload"); };
  }
};

class SettingsTest : public plugintest::PluginTest {
protected:
  void SetUp() override {
    PluginTest::SetUp();
    orb::SetPluginClass(&orb::CreatePluginOf<TSettingsPlugin>);
    Key = "Software\\VelmoraTest-settings-" + std::to_string(platform::CurrentProcessId());
  }
  void TearDown() override {
    platform::DeleteRegistryKey(1, Key);
    platform::DeleteRegistryKey(2, Key);
    for (const auto& f : Files) fs::remove(f);
    PluginTest::TearDown();
  }
  std::string File(const std::string& name) {
    Files.push_back(TempFile(name));
    fs::remove(Files.back());
    return Files.back();
  }
  TSettingsPlugin* LoadModule(std::uint32_t configId, const std::string& iniFile, const std::string& prefix) {
    Call call(configId);
    call.Command("LOAD")
        .Arg("RegistryPath", rtl::Variant(rtl::AnsiString("\\" + Key + "\\")))
        .Arg("INISectionPrefix", rtl::Variant(rtl::AnsiString(prefix)));
    if (!iniFile.empty()) call.Arg("INI-FILE", rtl::Variant(rtl::AnsiString(iniFile)));
    EXPECT_EQ(call.Execute(), 0);
    return static_cast<TSettingsPlugin*>(Instance(configId));
  }
  // SAVE-SETTINGS-NOW or LOAD-SETTINGS-NOW naming a file (none: the registry).
  void Command(std::uint32_t configId, const char* verb, const std::string& iniFile, bool noSave = true) {
    Call call(configId);
    call.Command(verb);
    if (!iniFile.empty()) call.Arg("INI-FILE", rtl::Variant(rtl::AnsiString(iniFile)));
    if (noSave) call.Arg("NO-SAVE", rtl::Variant(std::int32_t(1)));
    EXPECT_EQ(call.Execute(), -2);
  }
  static void Fill(orb::TProxyCodeObject& cfg, int base, const std::string& script, int language) {
    cfg.Top = base + 1;
    cfg.Left = base + 2;
    cfg.Width = base + 3;
    cfg.Height = base + 4;
    cfg.edtExpr_Lines->SetText(script);
    cfg.comboType_ItemIndex = language;
  }
  static void Reset(orb::TProxyCodeObject& cfg) {
    Fill(cfg, 0, "", 0);
    cfg.Top = 184;
  }
  std::string RegistryString(const std::string& sub, const char* name) {
    for (int root : {2, 1}) {
      platform::RegistryKey key;
      platform::RegistryValue v;
      if (key.Open(root, Key + (sub.empty() ? "" : "\\" + sub), false) && key.ReadValue(name, v)) return v.Data;
    }
    return "<none>";
  }

  std::string Key;
  std::vector<std::string> Files;
};

TEST_F(SettingsTest, IniSectionsFollowTheModulesPrefix) {
  struct Case {
    const char* Prefix;
    const char* Section;
  };
  const Case cases[] = {{"Cfg{3:COM1}", "Cfg{3:COM1}.Common"}, {"Cfg{3:COM1}\\", "Cfg{3:COM1}"}, {"", "Common"}};
  std::uint32_t id = 20;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Prefix);
    const std::string ini = File("sections" + std::to_string(id) + ".ini");
    TSettingsPlugin* module = LoadModule(id, ini, c.Prefix);
    Fill(*module->Cfg, 100, "x := 1;\r\n", 3);
    Command(id, "SAVE-SETTINGS-NOW", ini, false);

    rtl::TIniFile file(ini);
    ASSERT_TRUE(file.Load());
    EXPECT_EQ(file.ReadSections(), std::vector<std::string>{c.Section});
    EXPECT_EQ(file.ReadSectionKeys(c.Section),
              (std::vector<std::string>{"Top", "Left", "Width", "Height", "Script", "Language"}));
    EXPECT_EQ(file.ReadString(c.Section, "height", ""), "104");
    EXPECT_EQ(file.ReadString(c.Section, "Language", ""), "3");

    Reset(*module->Cfg);
    Command(id, "LOAD-SETTINGS-NOW", ini);
    EXPECT_EQ(module->Cfg->Top, 101);
    EXPECT_EQ(module->Cfg->Height, 104);
    EXPECT_EQ(module->Cfg->edtExpr_Lines->Text().str(), "x := 1;\r\n");
    EXPECT_EQ(module->Cfg->comboType_ItemIndex, 3);
    ++id;
  }
}

TEST_F(SettingsTest, ABackslashInTheStorageNameMakesASubKeyOrSection) {
  const std::string ini = File("backslash.ini");
  TSettingsPlugin* module = LoadModule(7, std::string(), "Host");
  auto items = rtl::MakeObject<rtl::TStringList>();
  items->Add("Top,Geometry\\Top");
  items->Add("edtExpr.Lines,Content\\\\Script");
  Fill(*module->Cfg, 10, "y;\r\n", 1);

  ASSERT_TRUE(module->WriteSettings(items.get(), module->Cfg, ini));
  rtl::TIniFile file(ini);
  ASSERT_TRUE(file.Load());
  EXPECT_EQ(file.ReadString("Host.Geometry", "Top", ""), "11");
  EXPECT_EQ(file.ReadString("Host.Content", "Script", ""), "y;%0D%0A");

  ASSERT_TRUE(module->WriteSettings(items.get(), module->Cfg));
  EXPECT_EQ(RegistryString("Geometry", "Top"), std::string("\x0B\0\0\0", 4));
  EXPECT_EQ(RegistryString("Content", "Script"), "y;%0D%0A");
  EXPECT_EQ(RegistryString("", "Top"), "<none>");

  for (const std::string& store : {ini, std::string()}) {
    Reset(*module->Cfg);
    ASSERT_TRUE(module->ReadSettings(items.get(), module->Cfg, store));
    EXPECT_EQ(module->Cfg->Top, 11) << store;
    EXPECT_EQ(module->Cfg->edtExpr_Lines->Text().str(), "y;\r\n") << store;
  }
}

TEST_F(SettingsTest, ScriptsSurviveBothStoresUnchanged) {
  // Leading blanks, "%", "+", letters outside ASCII, blank lines and CR LF.
  const rtl::AnsiString script = rtl::WideToAnsi(
      u"   // Gr\u00FC\u00DFe \u20AC 100% + 1\r\n\r\n  if a  +  b > 0 then\r\n\tx := '%41+';\r\n  \r\n");
  const std::string ini = File("script.ini");
  TSettingsPlugin* module = LoadModule(7, std::string(), "Host");
  for (const std::string& store : {ini, std::string()}) {
    SCOPED_TRACE(store.empty() ? "registry" : "INI");
    Fill(*module->Cfg, 0, script.str(), 2);
    Command(7, "SAVE-SETTINGS-NOW", store, false);
    Reset(*module->Cfg);
    Command(7, "LOAD-SETTINGS-NOW", store);
    EXPECT_EQ(module->Cfg->edtExpr_Lines->Text().str(), script.str());
    EXPECT_EQ(module->Cfg->comboType_ItemIndex, 2);
  }
  // Stored as UTF-8 in the encoded form.
  EXPECT_NE(ReadFile(ini).find("Script=+++// Gr%C3%BC%C3%9Fe %E2%82%AC 100%% %2B 1%0D%0A"), std::string::npos)
      << ReadFile(ini);
}

TEST_F(SettingsTest, LoadingFromAMissingIniFileReadsTheRegistry) {
  TSettingsPlugin* module = LoadModule(7, std::string(), "Host");
  Fill(*module->Cfg, 50, "from registry\r\n", 1);
  Command(7, "SAVE-SETTINGS-NOW", std::string(), false);
  Reset(*module->Cfg);

  const std::string missing = File("missing.ini");
  Command(7, "LOAD-SETTINGS-NOW", missing);
  EXPECT_EQ(module->Cfg->Top, 51);
  EXPECT_EQ(module->Cfg->edtExpr_Lines->Text().str(), "from registry\r\n");
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_EQ(module->Journal, (std::vector<std::string>{"save ", "load " + missing}));
}

TEST_F(SettingsTest, ShortWritesLeaveScriptAndLanguageAlone) {
  const std::string ini = File("short.ini");
  TSettingsPlugin* module = LoadModule(7, ini, "Host");
  Fill(*module->Cfg, 0, "original;\r\n", 1);
  ASSERT_TRUE(module->WriteSettings(module->Properties->Strings(), module->Cfg));
  ASSERT_TRUE(module->WriteSettings(module->Properties->Strings(), module->Cfg, std::string()));
  module->FINIFile.clear();
  ASSERT_TRUE(module->WriteSettings(module->Properties->Strings(), module->Cfg));
  module->FINIFile = ini;

  Fill(*module->Cfg, 500, "changed;\r\n", 3);
  ASSERT_TRUE(module->WriteSettingsShort(module->Properties->Strings(), module->Cfg));
  ASSERT_TRUE(module->WriteSettingsShort(module->Properties->Strings(), module->Cfg, "$CUSTOM$"));
  module->FINIFile.clear();
  ASSERT_TRUE(module->WriteSettingsShort(module->Properties->Strings(), module->Cfg));

  rtl::TIniFile file(ini);
  ASSERT_TRUE(file.Load());
  EXPECT_EQ(file.ReadString("Host.Common", "Top", ""), "501");
  EXPECT_EQ(file.ReadString("Host.Common", "Height", ""), "504");
  EXPECT_EQ(file.ReadString("Host.Common", "Script", ""), "original;%0D%0A");
  EXPECT_EQ(file.ReadString("Host.Common", "Language", ""), "1");
  EXPECT_EQ(RegistryString("", "Script"), "original;%0D%0A");
  EXPECT_EQ(RegistryString("", "Language"), std::string("\x01\0\0\0", 4));
  EXPECT_EQ(RegistryString("", "Width"), std::string("\xF7\x01\0\0", 4));
}

// A form with a panel, as the options dialog has.
class TProbeControl : public rtl::TComponent {
  RTL_CLASS_INFO
public:
  explicit TProbeControl(rtl::TComponent* owner = nullptr) : rtl::TComponent(owner) {}
  std::int32_t Top = 1, Left = 2, Width = 3, Height = 4;
  orb::TorbPlugin* Module = nullptr;
  bool BusySeen = false;
};
const rtl::TClassInfo& TProbeControl::StaticClassInfo() {
  using C = TProbeControl;
  static const rtl::TClassInfo info = rtl::TClassBuilder<C>("TProbeControl", &rtl::TComponent::StaticClassInfo())
                                          .Property("Top", &C::Top, &C::Top)
                                          .Property("Left", &C::Left, &C::Left)
                                          .Property("Width",
                                                    [](C& c) {
                                                      if (c.Module) c.BusySeen = c.Module->FSettingsBusy;
                                                      return c.Width;
                                                    },
                                                    &C::Width)
                                          .Property("Height", &C::Height, &C::Height);
  return info;
}

TEST_F(SettingsTest, FormsStoreTheirGeometryAndEditorWidth) {
  const std::string ini = File("form.ini");
  TSettingsPlugin* module = LoadModule(7, ini, "Host\\");
  auto form = rtl::MakeObject<TProbeControl>();
  auto* panel = rtl::CreateObject<TProbeControl>(form.get());
  panel->SetName("panRight");
  panel->Width = 250;
  form->Module = module;
  EXPECT_FALSE(module->FSettingsBusy);
  ASSERT_TRUE(module->WriteSettingsShort(module->Properties->Strings(), form.get()));
  EXPECT_TRUE(form->BusySeen);
  EXPECT_FALSE(module->FSettingsBusy);
  rtl::TIniFile file(ini);
  ASSERT_TRUE(file.Load());
  EXPECT_EQ(file.ReadSectionKeys("Host"),
            (std::vector<std::string>{"Top", "Left", "Width", "Height", "Editor width"}));
  EXPECT_EQ(file.ReadString("Host", "Editor width", ""), "250");

  EXPECT_FALSE(module->WriteSettings(nullptr, form.get()));
  EXPECT_FALSE(module->ReadSettings(nullptr, form.get()));
}

TEST_F(SettingsTest, UnloadWithAnotherIniFileSavesThereFirst) {
  const std::string first = File("first.ini"), second = File("second.ini");
  TSettingsPlugin* module = LoadModule(7, first, "Host");
  Fill(*module->Cfg, 30, "unloading\r\n", 0);
  Call call(7);
  call.Command("UNLOAD").Arg("INI-FILE", rtl::Variant(rtl::AnsiString(second)));
  EXPECT_EQ(call.Execute(), 0);
  EXPECT_EQ(module->Journal, (std::vector<std::string>{"save " + second, "unload"}));
  EXPECT_FALSE(fs::exists(first));
  rtl::TIniFile file(second);
  ASSERT_TRUE(file.Load());
  EXPECT_EQ(file.ReadString("Host.Common", "Top", ""), "31");
}

TEST_F(SettingsTest, ACorruptIniFileYieldsWhatItCan) {
  const std::string ini = File("corrupt.ini");
  {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
    std::ofstream out(ini, std::ios::binary);
    out << garbage << "\n[Host.Common]\n" << std::string(1 << 20, 'x') << "\nTop=77\n";
    out << "Left\n=9\n[broken\nWidth=oops\nScript=" << std::string(300000, 'a') << "%0D%0A\n";
    out << std::string(1 << 20, '[') << "\nHeight=66\n" << garbage;
  }
  TSettingsPlugin* module = LoadModule(7, ini, "Host");
  Command(7, "LOAD-SETTINGS-NOW", ini);
  EXPECT_EQ(module->Cfg->Top, 77);
  EXPECT_EQ(module->Cfg->Left, 314);
  EXPECT_EQ(module->Cfg->Width, 463);
  EXPECT_EQ(module->Cfg->Height, 66);
  ASSERT_EQ(module->Cfg->edtExpr_Lines->Count(), 1);
  EXPECT_EQ(module->Cfg->edtExpr_Lines->Get(0).Length(), 300000u);

  // Saving keeps the unreadable lines.
  module->Cfg->Left = 5;
  Command(7, "SAVE-SETTINGS-NOW", ini, false);
  const std::string after = ReadFile(ini);
  EXPECT_NE(after.find("\r\n" + std::string(1 << 20, 'x') + "\r\n"), std::string::npos);
  EXPECT_NE(after.find("\r\n" + std::string(1 << 20, '[') + "\r\n"), std::string::npos);
  EXPECT_NE(after.find("Width=463"), std::string::npos);
  Reset(*module->Cfg);
  Command(7, "LOAD-SETTINGS-NOW", ini);
  EXPECT_EQ(module->Cfg->Left, 5);
  EXPECT_EQ(module->Cfg->Top, 77);
}

// --- two processes, one file ------------------------------------------------------------

constexpr const char* kChildIniVariable = "VELMORA_TEST_SETTINGS_CHILD_INI";
constexpr int kWrites = 150;

// Writes kWrites values, one new key per save, into the prefix's section.
void WriteKeys(const std::string& ini, const std::string& prefix) {
  orb::TorbParamsList values;
  for (int i = 0; i < kWrites; ++i) {
    const std::string key = "K" + std::to_string(i);
    values.WriteValue(key, rtl::Variant(rtl::AnsiString(prefix + std::to_string(i))));
    auto store = rtl::MakeObject<orb::TWreg>();
    store->INIFile = ini;
    store->INIFileSectionPrefix = prefix;
    store->ComponentLines()->Add(key + "," + key);
    ASSERT_TRUE(store->Save(&values));
  }
}

// Runs only as the second process of the test below.
TEST(SettingsConcurrency, ChildWriter) {
  const std::string ini = platform::EnvironmentVariable(kChildIniVariable);
  if (ini.empty()) GTEST_SKIP() << "runs as the second process of SettingsConcurrency.TwoProcessesKeepBothSections";
  std::ofstream(ini + ".ready") << "ready";
  WriteKeys(ini, "Child");
}

TEST(SettingsConcurrency, TwoProcessesKeepBothSections) {
  if (!platform::EnvironmentVariable(kChildIniVariable).empty()) GTEST_SKIP();
  const std::string ini = TempFile("shared.ini");
  fs::remove(ini);
  fs::remove(ini + ".ready");
  platform::SetEnvVariable(kChildIniVariable, ini);
  platform::ChildProcess child;
  const bool started = child.Start(platform::OwnModuleFileName(),
                                   {"--gtest_filter=SettingsConcurrency.ChildWriter", "--gtest_brief=1"});
  platform::SetEnvVariable(kChildIniVariable, std::string());
  ASSERT_TRUE(started);
  for (int waited = 0; waited < 60000 && !fs::exists(ini + ".ready"); waited += 5)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  WriteKeys(ini, "Parent");
  ASSERT_EQ(child.Wait(120000), 0);

  rtl::TIniFile file(ini);
  ASSERT_TRUE(file.Load());
  for (const char* prefix : {"Parent", "Child"}) {
    const std::string section = std::string(prefix) + ".Common";
    EXPECT_EQ(file.ReadSectionKeys(section).size(), static_cast<std::size_t>(kWrites)) << section;
    for (int i = 0; i < kWrites; ++i)
      EXPECT_EQ(file.ReadString(section, "K" + std::to_string(i), ""), prefix + std::to_string(i));
  }
  fs::remove(ini);
  fs::remove(ini + ".ready");
}

}  // namespace
