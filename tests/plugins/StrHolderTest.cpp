// The string holder: its published properties and the streamed "StrData" form in its
// three versions.
#include <gtest/gtest.h>

#include "Private/Plugins/orbStrHolder.h"
#include "rtl/CodePage.h"

namespace {

using orb::TorbStrHolder;

TEST(StrHolder, WritesLinesCombinedWithTheKeyAsLowerCaseHex) {
  auto holder = rtl::MakeObject<TorbStrHolder>();
  holder->SetKeyString("K");
  holder->Strings()->Add("abc");
  holder->Strings()->Add("");
  holder->Strings()->Add(rtl::WideToAnsi(u"\u00FC"));  // UTF-8 C3 BC
  EXPECT_EQ(holder->StrData(), (std::vector<std::string>{"K", "2a2928", "", "88f7"}));

  holder->SetKeyString("");
  EXPECT_EQ(holder->StrData()[3], "c3bc");  // no key, no change
}

TEST(StrHolder, ReadsEveryVersion) {
  auto holder = rtl::MakeObject<TorbStrHolder>();
  const rtl::AnsiString lines[] = {"Top,Top", rtl::WideToAnsi(u"Stra\u00DFe \u20AC"), "", "edtExpr.Lines,Script"};
  for (const char* key : {"", "k", "A longer key \xE4"}) {
    for (std::int32_t version : {0, 1, 2}) {
      std::vector<std::string> entries{key};
      for (const auto& l : lines) entries.push_back(TorbStrHolder::EncodeLine(l.view(), key, version));
      holder->SetStrData(version, entries);
      EXPECT_EQ(holder->KeyString().str(), key);
      ASSERT_EQ(holder->Strings()->Count(), 4);
      for (int i = 0; i < 4; ++i) EXPECT_EQ(holder->Strings()->Get(i), lines[i]) << key << " v" << version;
    }
  }
  // Version 1 has no UTF-8: a byte above 0x7F is a character of its own.
  EXPECT_EQ(TorbStrHolder::DecodeLine("fc", "", 1).str(), "\xFC");
  EXPECT_EQ(TorbStrHolder::DecodeLine("C3BC", "", 2), rtl::WideToAnsi(u"\u00FC"));
  // A damaged pair reads as a blank; a lone last digit is dropped.
  EXPECT_EQ(TorbStrHolder::DecodeLine("41zz42g", "", 2).str(), "A B");
}

TEST(StrHolder, PublishesItsListAndRaisesItsEvents) {
  std::vector<std::string> names;
  for (const auto& p : TorbStrHolder::StaticClassInfo().DeclaredProperties()) names.push_back(p->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Capacity", "Duplicates", "KeyString", "Sorted", "Strings", "OnChange",
                                             "OnChanging"}));
  auto holder = rtl::MakeObject<TorbStrHolder>();
  std::vector<std::string> seen;
  holder->OnChanging = [&](rtl::TObject* s) { seen.push_back(s == holder.get() ? "changing" : "?"); };
  holder->OnChange = [&](rtl::TObject* s) { seen.push_back(s == holder.get() ? "change" : "?"); };
  rtl::SetEnumProp(holder.get(), "Duplicates", "dupIgnore");
  rtl::SetOrdProp(holder.get(), "Sorted", 1);
  holder->Strings()->Add("b");
  holder->Strings()->Add("a");
  holder->Strings()->Add("a");
  EXPECT_EQ(holder->Strings()->Text().str(), "a\r\nb\r\n");
  EXPECT_EQ(seen, (std::vector<std::string>{"changing", "change", "changing", "change"}));
}

}  // namespace
