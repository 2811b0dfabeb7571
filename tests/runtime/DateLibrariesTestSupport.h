// Shared pieces of the date and time library tests: a registry holding the system
// functions and the three date libraries in their load order, with three helpers of its
// own; scripts of every dialect built from a table of expressions; and the typed text
// in which results are compared.
//
// Helpers the scripts may call:
//   Show(V)        writes V with its type: "date 2024-03-14 13:05:09.123" (the time only
//                  when it is not midnight), "word 5", "int 5", "int64 5", "longword 5",
//                  "byte 5", "double 1.5" (15 significant digits), "bool True",
//                  "str 'text'", "null", "empty"
//   D('2024-03-14 13:05:09.123')  a date value (time, seconds and milliseconds optional)
//   Missing        an unassigned value, as the filter's GetVariable gives for a variable
//                  a row does not have
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/fsScript.h"
#include "rtl/FormatSettings.h"
#include "rtl/Variant.h"
#include "runtime/fsRTTIModule.h"

namespace fs::test {

// One expression (strings in single quotes, as PascalScript writes them) and what Show
// writes for it.
struct DateCase {
  const char* Expression;
  const char* Expected;
};

extern const char* const kDialects[4];

// The text Show writes for a value.
std::string TypedText(const rtl::Variant& v);

// Makes one runtime module in a script (NewRTTIModule<T>).
using ModuleFactory = TfsRTTIModule* (*)(TfsScript* script);

class DateLibrariesHost {
public:
  // The system functions and the three date libraries.
  DateLibrariesHost();
  // These modules, in this order.
  explicit DateLibrariesHost(const std::vector<ModuleFactory>& modules);
  ~DateLibrariesHost();

  TfsScript& Registry() { return *FRegistry; }

  // Show(expression) for every expression, as one script of the dialect; one line per
  // expression, or "compile: ..." / "error: ..." for a script that fails.
  std::vector<std::string> Eval(const std::string& dialect, const std::vector<std::string>& expressions);
  // One expression in PascalScript: its line, or "error: " and the run-time message.
  std::string Eval(const std::string& expression);
  // Runs a whole script; what Show wrote, then "error: ..." when a run-time error ended it.
  std::string Run(const std::string& source, const std::string& dialect = "PascalScript");

private:
  std::unique_ptr<TfsScript> FRegistry;
  std::unique_ptr<TfsScript> FScript;
  std::string FOutput;
};

// The expression as the dialect writes it (double quotes for the other dialects, and
// backslashes doubled in those that read escapes in strings).
std::string InDialect(const std::string& expression, const std::string& dialect);

// English (United States) settings, or another set, for the test's lifetime.
class LocaleScope {
public:
  explicit LocaleScope(const rtl::FormatSettings& settings = rtl::FormatSettings());
  ~LocaleScope();

private:
  rtl::FormatSettings FSaved;
};

// A day-first locale: "dd.MM.yyyy", "." as date separator, 24-hour clock.
rtl::FormatSettings DayFirstSettings();

// Every case of the table in every dialect.
class DateLibrariesFixture : public ::testing::Test {
protected:
  DateLibrariesFixture() = default;
  // A host of these modules instead of the date libraries.
  explicit DateLibrariesFixture(const std::vector<ModuleFactory>& modules) : FHost(modules) {}

  void ExpectAll(std::initializer_list<DateCase> cases);

  LocaleScope FLocale;
  DateLibrariesHost FHost;
};

}  // namespace fs::test
