#include "rtl/FormatMaskText.h"

#include <gtest/gtest.h>

using namespace rtl;

namespace {

struct Case {
  const char* Mask;
  const char* Value;
  const char* Expected;
};

void ExpectAll(const Case* cases, std::size_t n, const FormatSettings& fs = FormatSettings()) {
  for (std::size_t i = 0; i < n; ++i) {
    SCOPED_TRACE(std::string("mask ") + cases[i].Mask + " value " + cases[i].Value);
    EXPECT_EQ(FormatMaskText(cases[i].Mask, cases[i].Value, fs), cases[i].Expected);
  }
}

}  // namespace

TEST(FormatMaskText, InsertionModeInsertsTheLiterals) {
  const Case cases[] = {
      {"000-0000;0;_", "5551234", "555-1234"},
      {"000-0000;0;_", "555", "555-    "},
      {"000-0000;0;*", "", "   -    "},          // the blank field is ignored
      {"(999) 000-0000;0;_", "5551234567", "(555) 123-4567"},
      {"00-00;0", "123456", "12-3456"},           // surplus stays at the end
      {"!000-0000;0;_", "51234", "  5-1234"},
      {"!00-00;0", "123456", "1234-56"},          // surplus stays at the front
      {"\\A000;0", "123", "A123"},                // an escaped mask character is text
      {"\\\\000;0", "123", "\\123"},
      {">LL<ll;0", "aBcD", "aBcD"},               // no letter case changes
      {"000_000;0;_", "123456", "123_456"},       // "_" is a literal like any other
  };
  ExpectAll(cases, std::size(cases));
}

TEST(FormatMaskText, MatchingModeAlignsTheValueOnItsLiterals) {
  const Case cases[] = {
      {"000-0000", "5551234", "555-    "},  // no hyphen: appended, the part before cut
      {"000-0000", "55-12", "55 -12  "},
      {"000-0000;1;_", "555-1234", "555-1234"},
      {"000-0000;1;_", "5555-12345", "555-1234"},
      {"!000-0000", "55-12", " 55-  12"},
      {"!000-0000", "5555-12345", "555-2345"},
      {"00/00/0000;", "1/2/2024", "1 /2 /2024"},  // a separator at the very end: matching
      {"0000", "12", "12  "},
      {"!0000", "123456", "3456"},
      {"<>0000;5", "ab", "ab  "},                 // a field other than "0": matching
  };
  ExpectAll(cases, std::size(cases));
}

TEST(FormatMaskText, SeparatorsWriteTheLocaleCharacters) {
  FormatSettings fs;
  fs.DateSeparator = '-';
  fs.TimeSeparator = '.';
  const Case cases[] = {
      {"!99/99/9999;0", "1122024", " 1-12-2024"},
      {"99:99;0", "1230", "12.30"},
      {"00\\/00;0", "1234", "12/34"},  // escaped, "/" is plain text
      {"00/00", "12-34", "12-34"},     // matching looks for the locale's character
      {"00/00", "12/34", "12-  "},
  };
  ExpectAll(cases, std::size(cases), fs);
}
