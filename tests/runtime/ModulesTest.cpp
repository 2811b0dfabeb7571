// Runtime modules: the ordered list of module classes, loading them into a script (the
// global mark, ClearProgram, unloading, a failing module), and the process-wide
// registry (one instance whoever asks first, none after shutdown).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"
#include "runtime/RuntimeTestSupport.h"
#include "runtime/fsFunctionTable.h"
#include "runtime/fsGlobalRegistry.h"
#include "runtime/fsRTTIModule.h"

namespace fs {
namespace {

using rtl::Variant;

// Two libraries as the system's are made: the later one hides a routine of the earlier.
class TBaseLib : public TfsRTTIModule {
public:
  explicit TBaseLib(TfsScript* script) : TfsRTTIModule(script) {
    static const TfsFunctionEntry<TBaseLib> kTable[] = {
        {"function Which: String", "Misc", &TBaseLib::Call},
        {"function BaseOnly: Integer", "Misc", &TBaseLib::Call},
    };
    TfsRegistry r(script);
    r.RegisterTypeName("Integer", fvtInt);
    r.RegisterTypeName("String", fvtString);
    r.RegisterConstant("LibConst", "Integer", Variant(std::int32_t{1}));
    r.RegisterFunctions(this, kTable);
  }

private:
  Variant Call(rtl::TObject*, rtl::TClass, const std::string& name, TfsMethodHelper*) {
    return name == "WHICH" ? Variant(rtl::AnsiString("base")) : Variant(std::int32_t{11});
  }
};

class TLaterLib : public TfsRTTIModule {
public:
  explicit TLaterLib(TfsScript* script) : TfsRTTIModule(script) {
    TfsRegistry r(script);
    r.RegisterConstant("LibConst", "Integer", Variant(std::int32_t{2}));
    r.RegisterFunction("function Which: String", BindMethod(this, &TLaterLib::Call), "Misc");
  }

private:
  Variant Call(rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper*) {
    return Variant(rtl::AnsiString("later"));
  }
};

// Registered in the opposite of their load order.
const TfsRTTIModuleClass kLaterLib{"TLaterLib", moMath, &NewRTTIModule<TLaterLib>};
const TfsRTTIModuleClass kBaseLib{"TBaseLib", moSysFunctions, &NewRTTIModule<TBaseLib>};
TfsRuntimeModuleRegistration gLaterLib(kLaterLib);
TfsRuntimeModuleRegistration gBaseLib(kBaseLib);

bool IsTestModule(const TfsRTTIModuleClass* c) { return c == &kBaseLib || c == &kLaterLib; }

// The libraries linked into this program register their modules as well; these tests
// see only their own.
class ModulesTest : public ::testing::Test {
protected:
  ModulesTest() {
    for (const TfsRTTIModuleClass* c : RuntimeModules())
      if (!IsTestModule(c)) FOthers.push_back(c);
    for (const TfsRTTIModuleClass* c : FOthers) UnregisterRuntimeModule(*c);
  }
  ~ModulesTest() override {
    for (const TfsRTTIModuleClass* c : FOthers) RegisterRuntimeModule(*c);
  }

  std::vector<const TfsRTTIModuleClass*> FOthers;
};

std::vector<std::string> ModuleNames() {
  std::vector<std::string> names;
  for (const TfsRTTIModuleClass* c : RuntimeModules()) names.push_back(c->Name);
  return names;
}

int CountModules(const TfsScript& script) {
  int n = 0;
  for (int i = 0; i < script.Items().Count(); ++i)
    if (dynamic_cast<TfsRTTIModule*>(script.Items().Entries(i).Object)) ++n;
  return n;
}

TEST_F(ModulesTest, KeptInLoadOrder) {
  EXPECT_EQ(ModuleNames(), (std::vector<std::string>{"TBaseLib", "TLaterLib"}));
  const TfsRTTIModuleClass host{"THost", moHostFunctions, &NewRTTIModule<TLaterLib>};
  const TfsRTTIModuleClass sameOrder{"TSameOrder", moSysFunctions, &NewRTTIModule<TLaterLib>};
  RegisterRuntimeModule(host);
  RegisterRuntimeModule(sameOrder);
  RegisterRuntimeModule(host);  // listed once
  EXPECT_EQ(ModuleNames(), (std::vector<std::string>{"TBaseLib", "TSameOrder", "TLaterLib", "THost"}));
  UnregisterRuntimeModule(host);
  UnregisterRuntimeModule(sameOrder);
  EXPECT_EQ(ModuleNames(), (std::vector<std::string>{"TBaseLib", "TLaterLib"}));
}

TEST_F(ModulesTest, LoadingMarksWhatModulesRegister) {
  TfsScript script;
  LoadRuntimeModules(script);
  ASSERT_TRUE(RuntimeModulesLoaded(script));
  EXPECT_EQ(CountModules(script), 2);
  TfsCustomVariable* which = script.LookupLocal("Which");
  ASSERT_NE(which, nullptr);
  EXPECT_TRUE(which->IsGlobal());
  // Routines: the later module answers; constants: the first registration stays.
  EXPECT_EQ(rtl::VarToStr(which->GetValue()).str(), "later");
  EXPECT_EQ(rtl::VarToInt32(script.LookupLocal("LibConst")->GetValue()), 1);

  // Loading again does nothing.
  const int items = script.Items().Count();
  LoadRuntimeModules(script);
  EXPECT_EQ(script.Items().Count(), items);

  // A script using them: its own items go with ClearProgram, the modules' stay.
  script.SetLinesText("var x: Integer; begin x := BaseOnly; end.");
  ASSERT_TRUE(script.CompileProgram()) << script.LastErrorText();
  script.RunProgram();
  ASSERT_NE(script.LookupLocal("x"), nullptr);
  EXPECT_FALSE(script.LookupLocal("x")->IsGlobal());
  script.ClearProgram();
  EXPECT_EQ(script.LookupLocal("x"), nullptr);
  EXPECT_EQ(script.Items().Count(), items);
  EXPECT_TRUE(RuntimeModulesLoaded(script));

  // Unloading takes the modules and their items; the script's own registrations stay.
  TfsRegistry(&script).RegisterConstant("Mine", "Integer", Variant(std::int32_t{3}));
  UnloadRuntimeModules(script);
  EXPECT_FALSE(RuntimeModulesLoaded(script));
  EXPECT_EQ(CountModules(script), 0);
  EXPECT_EQ(script.LookupLocal("Which"), nullptr);
  EXPECT_EQ(script.LookupLocal("Integer"), nullptr);
  EXPECT_NE(script.LookupLocal("Mine"), nullptr);
  UnloadRuntimeModules(script);  // not loaded: nothing
  EXPECT_NE(script.LookupLocal("Mine"), nullptr);
}

TEST_F(ModulesTest, ScriptsOwnCopiesComeBeforeTheParents) {
  TfsScript parent, child;
  LoadRuntimeModules(parent);
  LoadRuntimeModules(child);
  child.SetParentScript(&parent);
  EXPECT_NE(child.Lookup("Which"), parent.Lookup("Which"));
  EXPECT_EQ(child.Lookup("Which"), child.LookupLocal("Which"));
}

class TFailingLib : public TfsRTTIModule {
public:
  explicit TFailingLib(TfsScript* script) : TfsRTTIModule(script) {
    TfsRegistry(script).RegisterConstant("HalfDone", "Integer", Variant(std::int32_t{1}));
    throw rtl::Exception("library cannot start");
  }
};

TEST_F(ModulesTest, AFailingModuleLeavesTheScriptAsItWas) {
  const TfsRTTIModuleClass failing{"TFailingLib", moFile, &NewRTTIModule<TFailingLib>};
  RegisterRuntimeModule(failing);
  TfsScript script;
  TfsRegistry(&script).RegisterConstant("Before", "Integer", Variant(std::int32_t{1}));
  EXPECT_THROW(LoadRuntimeModules(script), rtl::Exception);
  UnregisterRuntimeModule(failing);
  EXPECT_FALSE(RuntimeModulesLoaded(script));
  EXPECT_FALSE(script.GlobalMark());
  EXPECT_EQ(CountModules(script), 0);
  EXPECT_EQ(script.LookupLocal("HalfDone"), nullptr);
  EXPECT_EQ(script.LookupLocal("Which"), nullptr);
  EXPECT_NE(script.LookupLocal("Before"), nullptr);
  // Without the failing module it loads normally.
  LoadRuntimeModules(script);
  EXPECT_TRUE(RuntimeModulesLoaded(script));
}

TEST_F(ModulesTest, GlobalRegistryIsMadeOnceWhoeverAsksFirst) {
  std::vector<TfsScript*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i) threads.emplace_back([&seen, i] { seen[i] = GlobalRegistry(); });
  for (auto& t : threads) t.join();
  ASSERT_NE(seen[0], nullptr);
  for (TfsScript* s : seen) EXPECT_EQ(s, seen[0]);
  EXPECT_EQ(GlobalRegistry(), seen[0]);
  EXPECT_EQ(CountModules(*seen[0]), 2);
  EXPECT_TRUE(RuntimeModulesLoaded(*seen[0]));

  // User scripts see its registrations through their parent.
  TfsScript script;
  script.SetParentScript(GlobalRegistry());
  script.SetLinesText("var s: String; begin s := Which; end.");
  ASSERT_TRUE(script.CompileProgram()) << script.LastErrorText();
  script.RunProgram();
  EXPECT_EQ(rtl::VarToStr(script.LookupLocal("s")->GetValue()).str(), "later");
}

#if GTEST_HAS_DEATH_TEST
void CheckAfterShutdown() { std::_Exit(GlobalRegistry() == nullptr ? 7 : 8); }

TEST(GlobalRegistryDeathTest, NotMadeAgainAfterShutdown) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The check runs after the registry was freed at exit, because it was registered
  // before the registry existed.
  EXPECT_EXIT(
      {
        for (const TfsRTTIModuleClass* c : RuntimeModules())
          if (!IsTestModule(c)) UnregisterRuntimeModule(*c);
        std::atexit(&CheckAfterShutdown);
        if (!GlobalRegistry()) std::_Exit(9);
        std::exit(0);
      },
      ::testing::ExitedWithCode(7), "");
}
#endif

}  // namespace
}  // namespace fs
