// The string, math, unit-conversion, system-utility and file libraries as wholes: each
// module's catalogue line for line against its reviewed listing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/fsXMLItem.h"
#include "runtime/FunctionLibrariesTestSupport.h"
#include "runtime/fsCatalogue.h"
#include "runtime/fsCharStrings.h"
#include "runtime/fsMath.h"
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
  std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "golden" / name, std::ios::binary);
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
    {"fs_CharStrings.txt", &NewRTTIModule<TfsCharStrings>},
    {"fs_UnitConversion.txt", &NewRTTIModule<TfsUnitConversion>},
    {"fs_Math.txt", &NewRTTIModule<TfsMath>},
    {"fs_StrUtils.txt", &NewRTTIModule<TfsStrUtils>},
    {"fs_SysUtils.txt", &NewRTTIModule<TfsSysUtils>},
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

}  // namespace
}  // namespace fs
