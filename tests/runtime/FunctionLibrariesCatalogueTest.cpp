// The six string, math, unit-conversion, system-utility and file libraries as wholes:
// each module's catalogue line for line against its reviewed listing, the type names
// they register, their place in the load order, which registration answers the names
// several libraries share, and the size of the whole catalogue.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "engine/fsStrings.h"
#include "engine/fsVariables.h"
#include "engine/fsXMLItem.h"
#include "helpers/TestFiles.h"
#include "runtime/FunctionLibrariesTestSupport.h"
#include "runtime/fsCatalogue.h"
#include "runtime/fsCharStrings.h"
#include "runtime/fsFile.h"
#include "runtime/fsGlobalRegistry.h"
#include "runtime/fsMath.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsStrUtils.h"
#include "runtime/fsSysUtils.h"
#include "runtime/fsUnitConversion.h"

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

std::string Golden(const std::string& name) {
  std::ifstream in(testfiles::TestsDir() / "runtime" / "golden" / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string lf;
  for (char c : text.str())
    if (c != '\r') lf += c;  // the file may have been checked out with CR LF line ends
  return lf;
}

struct ModuleListing {
  const char* Golden;
  test::ModuleFactory Make;
};

const ModuleListing kListings[] = {
    {"fs_CharStrings.txt", &NewRTTIModule<TfsCharStrings>}, {"fs_UnitConversion.txt", &NewRTTIModule<TfsUnitConversion>},
    {"fs_Math.txt", &NewRTTIModule<TfsMath>},               {"fs_StrUtils.txt", &NewRTTIModule<TfsStrUtils>},
    {"fs_SysUtils.txt", &NewRTTIModule<TfsSysUtils>},       {"fs_File.txt", &NewRTTIModule<TfsFile>},
};

TEST(FunctionLibrariesCatalogueTest, EachModuleMatchesItsReviewedListingLineForLine) {
  for (const ModuleListing& m : kListings) {
    TfsScript script;
    script.AddName(std::string(), m.Make(&script));
    TfsXMLItem root;
    ExportCatalogue(script, &root, false);
    std::string actual;
    Dump(&root, 0, actual);
    const std::string expected = Golden(m.Golden);
    ASSERT_FALSE(expected.empty()) << "golden/" << m.Golden << " not found";
    std::istringstream a(actual), e(expected);
    std::string la, le;
    for (int line = 1;; ++line) {
      const bool moreA = static_cast<bool>(std::getline(a, la));
      const bool moreE = static_cast<bool>(std::getline(e, le));
      if (!moreA && !moreE) break;
      ASSERT_EQ(la, le) << m.Golden << " line " << line;
    }
  }
}

TEST(FunctionLibrariesCatalogueTest, TypeNamesAreRegisteredOnceWithTheirKinds) {
  TfsScript script;
  LoadRuntimeModules(script);
  const struct {
    const char* Name;
    TfsVarType Typ;
  } types[] = {{"AnsiChar", fvtChar}, {"AnsiString", fvtString}, {"DWORD", fvtInt}};
  for (const auto& t : types) {
    int found = 0;
    for (int i = 0; i < script.Items().Count(); ++i) {
      TfsObject* o = script.Items().Entries(i).Object;
      TfsCustomVariable* v = o ? o->AsVariable() : nullptr;
      if (v && v->Kind() == TfsItemKind::TypeName && SameText(v->Name(), t.Name)) {
        ++found;
        EXPECT_EQ(v->Typ(), t.Typ) << t.Name;
      }
    }
    EXPECT_EQ(found, 1) << t.Name;
  }
}

TEST(FunctionLibrariesCatalogueTest, LoadInTheirOrderAfterTheDateLibraries) {
  const std::vector<std::string> expected = {"TfsSysFunctions",   "fs_DateUtils",      "fs_DateTimeRoutines",
                                             "fs_TimeZones",      "fs_CharStrings",    "fs_UnitConversion",
                                             "fs_Math",           "fs_StrUtils",       "fs_SysUtils",
                                             "fs_File"};
  // The libraries among whatever else the test program registers.
  std::vector<std::string> names;
  for (const TfsRTTIModuleClass* c : RuntimeModules())
    if (std::find(expected.begin(), expected.end(), c->Name) != expected.end()) names.push_back(c->Name);
  EXPECT_EQ(names, expected);
}

// The registration a name resolves to in the global load order: its category and
// declaration.
std::string Reachable(TfsScript& script, const char* name) {
  auto* m = dynamic_cast<TfsMethodHelper*>(script.Lookup(name));
  return m ? m->Category() + ": " + m->Declaration() : "(none)";
}

TEST(FunctionLibrariesCatalogueTest, LaterLibrariesAnswerForTheNamesTheyShare) {
  TfsScript script;
  LoadRuntimeModules(script);
  // The 26 conversion and date names of the system functions, and IsLeapYear of the
  // date routines too.
  for (const char* name : {"IntToStr", "FloatToStr", "DateToStr", "TimeToStr", "DateTimeToStr", "BoolToStr", "StrToInt",
                           "StrToInt64", "StrToFloat", "StrToDate", "StrToTime", "StrToDateTime", "StrToBool",
                           "FormatFloat", "FormatDateTime", "EncodeDate", "EncodeTime", "Date", "Time", "Now",
                           "DayOfWeek", "UpperCase", "LowerCase", "Trim", "CompareText", "ExtractFilePath", "IsLeapYear"})
    EXPECT_EQ(Reachable(script, name).rfind("Misc: ", 0), 0u) << name << ": " << Reachable(script, name);
  EXPECT_EQ(Reachable(script, "Tan"), "Math: function Tan(const X: Extended): Extended");
  for (const char* name : {"RadToDeg", "RadToGrad", "RadToCycle", "DegToRad", "DegToGrad", "DegToCycle", "GradToRad",
                           "GradToDeg", "GradToCycle", "CycleToDeg", "CycleToGrad", "CycleToRad"})
    EXPECT_EQ(Reachable(script, name).rfind("Math: ", 0), 0u) << name;
  EXPECT_EQ(Reachable(script, "IfThen"),
            "Strings: function IfThen(AValue: Boolean; const ATrue: string; AFalse: string = ''): string");
  EXPECT_EQ(Reachable(script, "DaysInMonth"), "Date and time: function DaysInMonth(const DT: TDateTime): Byte");
  EXPECT_EQ(Reachable(script, "BoolToStr"), "Misc: function BoolToStr(B: Boolean; UseBoolStrs: Boolean = False): string");
}

TEST(FunctionLibrariesCatalogueTest, TheCatalogueHoldsEveryLibraryUnderItsCategory) {
  TfsScript script;
  for (test::ModuleFactory make : test::AllFunctionLibraries()) script.AddName(std::string(), make(&script));
  TfsXMLItem root;
  ExportCatalogue(script, &root, true);
  std::map<std::string, int> counts;
  int total = 0;
  const TfsXMLItem* functions = root.Count() ? root.Items(0) : nullptr;
  ASSERT_NE(functions, nullptr);
  for (int i = 0; i < functions->Count(); ++i) {
    counts[functions->Items(i)->Name()] = functions->Items(i)->Count();
    total += functions->Items(i)->Count();
  }
  EXPECT_EQ(counts["Strings"], 60 + 28);
  EXPECT_EQ(counts["Unit conversion"], 87);
  EXPECT_EQ(counts["Math"], 79);
  EXPECT_EQ(counts["Misc"], 109);
  EXPECT_EQ(counts["Files"], 4);
  EXPECT_EQ(counts["Date and time"], 131 + 318);
  EXPECT_EQ(counts["Date and time (time zones)"], 23);
  // The system functions and the nine libraries.
  EXPECT_EQ(total, 68 + 131 + 318 + 23 + 60 + 87 + 79 + 28 + 109 + 4);
}

}  // namespace
}  // namespace fs
