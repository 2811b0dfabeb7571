// The three date and time libraries as wholes: each module's catalogue line for line
// against its reviewed listing, their places among the runtime modules, which of the
// names that several modules register scripts reach, the unregistered LongWord type, and
// every reachable routine called from every dialect, with the empty-argument rule for
// each of its required arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/fsXMLItem.h"
#include "helpers/TestFiles.h"
#include "runtime/DateLibrariesTestSupport.h"
#include "runtime/fsCatalogue.h"
#include "runtime/fsDateTimeRoutines.h"
#include "runtime/fsDateUtils.h"
#include "runtime/fsDeclaration.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsRTTIModule.h"
#include "runtime/fsSysFunctions.h"
#include "runtime/fsTimeZones.h"

namespace fs {
namespace {

void Dump(const TfsXMLItem* item, int depth, std::string& out) {
  for (int i = 0; i < item->Count(); ++i) {
    const TfsXMLItem* c = item->Items(i);
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + c->Name() + (c->Text().empty() ? "" : " " + c->Text()) +
           "\n";
    Dump(c, depth + 1, out);
  }
}

std::string Golden(const std::string& file) {
  std::ifstream in(testfiles::TestsDir() / "runtime" / "golden" / file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string lf;
  for (char c : text.str())
    if (c != '\r') lf += c;
  return lf;
}

// One library in a script of its own whose parent holds the system functions, so that
// its catalogue lists only its own routines while its type names resolve as at load.
template <class M>
struct LibraryAlone {
  TfsScript Base;
  TfsScript Own;
  LibraryAlone() {
    Base.AddName(std::string(), new TfsSysFunctions(&Base));
    Own.SetParentScript(&Base);
    Own.AddName(std::string(), new M(&Own));
  }
};

struct GoldenCase {
  const char* File;
  int Functions;
  std::string (*Catalogue)(int& count);
};

template <class M>
std::string CatalogueOf(int& count) {
  LibraryAlone<M> lib;
  TfsXMLItem root;
  ExportCatalogue(lib.Own, &root, false);
  std::string out;
  Dump(&root, 0, out);
  count = 0;
  for (int i = 0; i < lib.Own.Items().Count(); ++i)
    if (dynamic_cast<TfsMethodHelper*>(lib.Own.Items().Entries(i).Object)) ++count;
  return out;
}

class DateLibraryCatalogue : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(DateLibraryCatalogue, MatchesTheReviewedListingLineForLine) {
  const GoldenCase& g = GetParam();
  int count = 0;
  const std::string actual = g.Catalogue(count);
  EXPECT_EQ(count, g.Functions);
  const std::string expected = Golden(g.File);
  ASSERT_FALSE(expected.empty()) << "golden/" << g.File << " not found";
  std::istringstream a(actual), e(expected);
  std::string la, le;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(a, la));
    const bool moreE = static_cast<bool>(std::getline(e, le));
    if (!moreA && !moreE) break;
    ASSERT_EQ(la, le) << g.File << " line " << line;
  }
}

INSTANTIATE_TEST_SUITE_P(Modules, DateLibraryCatalogue,
                         ::testing::Values(GoldenCase{"dateutils.txt", 131, &CatalogueOf<TfsDateUtils>},
                                           GoldenCase{"datetimeroutines.txt", 318, &CatalogueOf<TfsDateTimeRoutines>},
                                           GoldenCase{"timezones.txt", 23, &CatalogueOf<TfsTimeZones>}),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           std::string name = info.param.File;
                           return name.substr(0, name.find('.'));
                         });

TEST(DateLibrariesModules, LoadInTheirOrderAfterTheSystemFunctions) {
  std::vector<std::string> names;
  for (const TfsRTTIModuleClass* c : RuntimeModules()) names.push_back(c->Name);
  auto at = [&](const std::string& n) { return std::find(names.begin(), names.end(), n) - names.begin(); };
  ASSERT_LT(at("fs_TimeZones"), static_cast<std::ptrdiff_t>(names.size()));
  EXPECT_LT(at("TfsSysFunctions"), at("fs_DateUtils"));
  EXPECT_EQ(at("fs_DateUtils") + 1, at("fs_DateTimeRoutines"));
  EXPECT_EQ(at("fs_DateTimeRoutines") + 1, at("fs_TimeZones"));
}

class DateLibrariesResolution : public ::testing::Test {
protected:
  test::LocaleScope FLocale;
  test::DateLibrariesHost FHost;

  std::string Declaration(const std::string& name) {
    auto* helper = dynamic_cast<TfsMethodHelper*>(FHost.Registry().Lookup(name));
    return helper ? helper->Declaration() : std::string();
  }
};

TEST_F(DateLibrariesResolution, TheLaterLibraryAnswersForSharedNames) {
  EXPECT_EQ(Declaration("DaysInMonth"), "function DaysInMonth(const DT: TDateTime): Byte");
  EXPECT_EQ(Declaration("DaysInYear"), "function DaysInYear(const DT: TDateTime): Integer");
  EXPECT_EQ(Declaration("IsPM"), "function IsPM(const DT: TDateTime): Boolean");
  EXPECT_EQ(Declaration("SameDate"), "function SameDate(const DT1, DT2: TDateTime): Boolean");
  EXPECT_EQ(Declaration("SameTime"), "function SameTime(const DT1, DT2: TDateTime): Boolean");
  EXPECT_EQ(Declaration("SameDateTime"), "function SameDateTime(const DT1, DT2: TDateTime): Boolean");
  // Until the system-utility library arrives, the date routines' IsLeapYear answers.
  EXPECT_EQ(Declaration("IsLeapYear"), "function IsLeapYear(const Year: Word): Boolean");
  EXPECT_EQ(FHost.Eval("DaysInMonth(D('2024-02-10'))"), "byte 29");
  EXPECT_NE(FHost.Run("begin Show(DaysInMonth(2024, 2)); end.").find("Too many actual parameters"), std::string::npos);
  // The hidden versions stay registered (and listed in the catalogue).
  int daysInMonth = 0;
  for (int i = 0; i < FHost.Registry().Items().Count(); ++i)
    if (auto* h = dynamic_cast<TfsMethodHelper*>(FHost.Registry().Items().Entries(i).Object))
      if (h->Name() == "DaysInMonth") ++daysInMonth;
  EXPECT_EQ(daysInMonth, 3);
}

TEST_F(DateLibrariesResolution, LongWordIsNoRegisteredTypeName) {
  EXPECT_EQ(TypeCodeOf("LongWord", &FHost.Registry()), fvtClass);
  auto* helper = dynamic_cast<TfsMethodHelper*>(FHost.Registry().Lookup("Date2ISOInt"));
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->Typ(), fvtClass);
  EXPECT_EQ(helper->TypeName(), "LongWord");
  EXPECT_NE(FHost.Run("var i: Integer;\nbegin\n  i := Date2ISOInt(D('2024-03-14'));\nend.").find("Incompatible types"),
            std::string::npos);
  EXPECT_EQ(FHost.Run("var v: Variant;\nbegin\n  v := SecondOfTheDay(D('2024-03-14 00:01'));\n  Show(v);\nend."),
            "longword 60\n");
}

// A sample argument of a declared type, for the calls that leave one argument missing.
std::string Sample(const std::string& typeName) {
  const std::string t = [&] {
    std::string u;
    for (char c : typeName) u += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
  }();
  if (t == "TDATETIME") return "D('2024-03-14')";
  if (t == "STRING") return "'1'";
  if (t == "CHAR") return "':'";
  if (t == "BOOLEAN") return "True";
  return "1";
}

// Calls of every routine of the library that scripts reach: one per required argument,
// that argument missing (calls), and one without arguments for the routines that need
// none (bare).
template <class M>
void AddCalls(const TfsScript& registry, std::vector<std::string>& calls, std::vector<std::string>& bare) {
  LibraryAlone<M> lib;
  for (int i = 0; i < lib.Own.Items().Count(); ++i) {
    auto* helper = dynamic_cast<TfsMethodHelper*>(lib.Own.Items().Entries(i).Object);
    if (!helper) continue;
    // A name another library answers for is reached only through that one.
    auto* reached = dynamic_cast<TfsMethodHelper*>(registry.Lookup(helper->Name()));
    if (!reached || reached->Declaration() != helper->Declaration()) continue;
    if (helper->ParamCount() == 0) bare.push_back(helper->Name() + "()");
    for (int missing = 0; missing < helper->ParamCount(); ++missing) {
      if (helper->Params(missing)->IsOptional()) continue;
      std::string call = helper->Name() + "(";
      for (int p = 0; p < helper->ParamCount(); ++p)
        call += std::string(p ? ", " : "") + (p == missing ? "Missing" : Sample(helper->Params(p)->TypeName()));
      calls.push_back(call + ")");
    }
  }
}

TEST_F(DateLibrariesResolution, EveryRoutineIsCallableAndAMissingArgumentYieldsNull) {
  std::vector<std::string> calls, bare;
  AddCalls<TfsDateUtils>(FHost.Registry(), calls, bare);
  AddCalls<TfsDateTimeRoutines>(FHost.Registry(), calls, bare);
  AddCalls<TfsTimeZones>(FHost.Registry(), calls, bare);
  ASSERT_GT(calls.size(), 500u);
  ASSERT_GT(bare.size(), 40u);
  for (const char* dialect : test::kDialects) {
    const std::vector<std::string> lines = FHost.Eval(dialect, calls);
    ASSERT_EQ(lines.size(), calls.size()) << dialect << ": " << (lines.empty() ? "" : lines.back());
    for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(lines[i], "null") << dialect << ": " << calls[i];
    const std::vector<std::string> values = FHost.Eval(dialect, bare);
    ASSERT_EQ(values.size(), bare.size()) << dialect << ": " << (values.empty() ? "" : values.back());
    for (std::size_t i = 0; i < bare.size(); ++i)
      EXPECT_TRUE(values[i] != "null" && values[i] != "empty") << dialect << ": " << bare[i] << " gave " << values[i];
  }
}

}  // namespace
}  // namespace fs
