// Shared pieces of the system functions tests: a registry script holding the system
// functions module (constructed directly, so no other library interferes) and a Print
// routine, a runner for scripts whose parent is that registry, and the English
// regional settings for the duration of a test.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "engine/fsScript.h"
#include "rtl/FormatSettings.h"
#include "runtime/RuntimeTestSupport.h"

namespace fs::test {

class SysFunctionsHost {
public:
  SysFunctionsHost();
  ~SysFunctionsHost();

  TfsScript& Registry() { return *FRegistry; }
  TfsScript& Script() { return *FScript; }

  // Clears the script, compiles source and runs it once when that succeeded.
  RunOutcome Run(const std::string& source, const std::string& dialect = "PascalScript");
  // What Print writes for one PascalScript expression ("begin Print(expr); end."),
  // or "error: " and the run-time error's message, or "compile: " and the compile
  // error's message.
  std::string Eval(const std::string& expression);
  // What Print wrote since the last run started (events fired afterwards included).
  const std::string& Output() const { return FOutput; }

private:
  std::unique_ptr<TfsScript> FRegistry;
  std::unique_ptr<TfsScript> FScript;
  std::string FOutput;
};

// Makes the English (United States) settings current for its lifetime, then puts the
// previous ones back.
class EnglishSettings {
public:
  EnglishSettings() : FSaved(rtl::CurrentFormatSettings()) { rtl::SetCurrentFormatSettings(rtl::FormatSettings()); }
  explicit EnglishSettings(const rtl::FormatSettings& settings) : FSaved(rtl::CurrentFormatSettings()) {
    rtl::SetCurrentFormatSettings(settings);
  }
  ~EnglishSettings() { rtl::SetCurrentFormatSettings(FSaved); }

private:
  rtl::FormatSettings FSaved;
};

// A table-driven fixture: expressions evaluated under the English settings and compared
// with their expected text.
struct EvalCase {
  const char* Expression;
  const char* Expected;
};

class SysFunctionsFixture : public ::testing::Test {
protected:
  void ExpectAll(std::initializer_list<EvalCase> cases) {
    for (const EvalCase& c : cases) EXPECT_EQ(FHost.Eval(c.Expression), c.Expected) << c.Expression;
  }

  EnglishSettings FSettings;
  SysFunctionsHost FHost;
};

}  // namespace fs::test
