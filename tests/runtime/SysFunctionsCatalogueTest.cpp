// The system functions module as a whole: its catalogue line for line against the
// reviewed listing, the kinds of its type names and helpers, and its place among the
// runtime modules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/fsHelpers.h"
#include "engine/fsVariables.h"
#include "engine/fsXMLItem.h"
#include "helpers/TestFiles.h"
#include "runtime/fsCatalogue.h"
#include "runtime/fsGlobalRegistry.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsRTTIModule.h"
#include "runtime/fsSysFunctions.h"

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

std::string Golden() {
  std::ifstream in(testfiles::TestsDir() / "runtime" / "golden" / "sysfunctions.txt", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string s = text.str();
  // The file may have been checked out with CR LF line ends.
  std::string lf;
  for (char c : s)
    if (c != '\r') lf += c;
  return lf;
}

TEST(SysFunctionsCatalogueTest, MatchesTheReviewedListingLineForLine) {
  TfsScript script;
  script.AddName(std::string(), new TfsSysFunctions(&script));
  TfsXMLItem root;
  ExportCatalogue(script, &root, false);
  std::string actual;
  Dump(&root, 0, actual);
  const std::string expected = Golden();
  ASSERT_FALSE(expected.empty()) << "golden/sysfunctions.txt not found";
  // Line by line, so a difference names its line.
  std::istringstream a(actual), e(expected);
  std::string la, le;
  int line = 0;
  while (true) {
    const bool moreA = static_cast<bool>(std::getline(a, la));
    const bool moreE = static_cast<bool>(std::getline(e, le));
    ++line;
    if (!moreA && !moreE) break;
    ASSERT_EQ(la, le) << "line " << line;
  }
}

TEST(SysFunctionsCatalogueTest, TypeNamesHelpersAndVariablesHaveTheirKinds) {
  TfsScript script;
  script.AddName(std::string(), new TfsSysFunctions(&script));
  const struct {
    const char* Name;
    TfsVarType Typ;
  } types[] = {{"Byte", fvtInt},       {"Int64", fvtInt64},      {"TAlphaColor", fvtInt},  {"Boolean", fvtBool},
               {"Currency", fvtFloat}, {"TTime", fvtFloat},      {"Char", fvtChar},        {"String", fvtString},
               {"Pointer", fvtVariant}, {"Array", fvtArray},     {"Constructor", fvtConstructor}};
  for (const auto& t : types) {
    TfsCustomVariable* v = script.LookupLocal(t.Name);
    ASSERT_NE(v, nullptr) << t.Name;
    EXPECT_EQ(v->Kind(), TfsItemKind::TypeName) << t.Name;
    EXPECT_EQ(v->Typ(), t.Typ) << t.Name;
  }
  auto* strings = dynamic_cast<TfsStringHelper*>(script.LookupLocal("__StringHelper"));
  ASSERT_NE(strings, nullptr);
  EXPECT_EQ(strings->Typ(), fvtChar);
  EXPECT_EQ(strings->ParamCount(), 1);
  auto* arrays = dynamic_cast<TfsArrayHelper*>(script.LookupLocal("__ArrayHelper"));
  ASSERT_NE(arrays, nullptr);
  EXPECT_EQ(arrays->Typ(), fvtVariant);
  ASSERT_EQ(arrays->ParamCount(), 3);
  EXPECT_FALSE(arrays->Params(0)->IsOptional());
  EXPECT_TRUE(arrays->Params(2)->IsOptional());
  TfsCustomVariable* message = script.LookupLocal("ExceptionMessage");
  ASSERT_NE(message, nullptr);
  EXPECT_FALSE(message->IsReadOnly());
  EXPECT_EQ(message->Typ(), fvtString);
  auto* round = dynamic_cast<TfsMethodHelper*>(script.LookupLocal("Round"));
  ASSERT_NE(round, nullptr);
  EXPECT_EQ(round->Category(), "ctMath");
  EXPECT_EQ(round->Description(), "Round");
}

TEST(SysFunctionsCatalogueTest, RegisteredAsARuntimeModuleOfTheFirstOrder) {
  const TfsRTTIModuleClass* sys = nullptr;
  for (const TfsRTTIModuleClass* c : RuntimeModules())
    if (std::string(c->Name) == "TfsSysFunctions") sys = c;
  ASSERT_NE(sys, nullptr);
  EXPECT_EQ(sys->Order, moSysFunctions);
  TfsScript script;
  LoadRuntimeModules(script);
  TfsCustomVariable* nameCase = script.LookupLocal("NameCase");
  ASSERT_NE(nameCase, nullptr);
  EXPECT_TRUE(nameCase->IsGlobal());
}

}  // namespace
}  // namespace fs
