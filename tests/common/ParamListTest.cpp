// The parameter list: lookups, storing rules, rows and the boundary layout.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Public/Common/orbBlockCache.h"
#include "Public/Common/orbParamLst.h"
#include "rtl/Exceptions.h"

using namespace orb;
using rtl::Variant;

namespace {

std::unique_ptr<TorbParamsList> ListOf(std::initializer_list<std::pair<const char*, Variant>> items) {
  auto list = std::make_unique<TorbParamsList>();
  for (const auto& [name, value] : items) list->Add(name, value);
  return list;
}

std::vector<std::string> Names(const TorbParamsList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i)->Name.str());
  return names;
}

void ExpectAssertion(const std::function<void()>& f, const std::string& text) {
  try {
    f();
    FAIL() << "no exception";
  } catch (const rtl::EAssertionFailed& e) {
    EXPECT_EQ(e.Message().rfind(text + " (Public\\Common\\orbParamLst, line ", 0), 0u) << e.Message();
  }
}

}  // namespace

TEST(ParamList, AddTrimsOnlyToDecideAndKeepsTheNameAsGiven) {
  TorbParamsList list;
  EXPECT_EQ(list.Add("   ", Variant(1)), nullptr);
  EXPECT_EQ(list.Add("\t\r\n", Variant(1)), nullptr);
  EXPECT_EQ(list.Count(), 0);

  TorbParamsListItem* item = list.Add(" A ", Variant(1));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Name, " A ");
  EXPECT_EQ(item->Key, " a ");
  EXPECT_EQ(item->State, 2);
  EXPECT_EQ(item->ValueType, 0);
  EXPECT_EQ(list.IndexOfName(" A "), 0);
  EXPECT_EQ(list.IndexOfName("A"), -1);
}

TEST(ParamList, LookupIgnoresCaseAndFindsTheFirstDuplicate) {
  auto list = ListOf({{"Temp", Variant(1)}, {"temp", Variant(2)}, {"Other", Variant(3)}});
  EXPECT_EQ(list->IndexOfName("TEMP"), 0);
  EXPECT_EQ(list->IndexOfName("TEMP", 1), 1);
  EXPECT_EQ(list->IndexOfName("temp", 0, 0), 0);
  EXPECT_EQ(list->IndexOfName("other", 0, 1), -1);
  EXPECT_EQ(list->IndexOfName("other", -5, 99), 2);
  EXPECT_EQ(list->IndexOfName("missing"), -1);
  Variant v;
  list->ReadValue("OTHER", 0, v);
  EXPECT_TRUE(v.SameAs(Variant(3)));
  list->ReadValue("missing", 0, v);
  EXPECT_TRUE(v.IsEmpty());
  list->ReadValueDef("missing", Variant(7), v);
  EXPECT_TRUE(v.SameAs(Variant(7)));
}

TEST(ParamList, NonAsciiNamesCompareCaseInsensitively) {
  TorbParamsList list;
  list.Add("\xC4rger", Variant(1));  // "Ärger" in the process code page
  EXPECT_EQ(list.IndexOfName("\xE4RGER"), 0);
}

TEST(ParamList, RowMarkerLookups) {
  auto list = ListOf({{"a", Variant(1)}, {"$NEW_ROW$", Variant::Null()}, {"b", Variant(2)}});
  // Exact name for rows, case-insensitive key for lookups.
  EXPECT_EQ(list->IndexOfName("$new_row$"), 1);
  EXPECT_EQ(list->IndexOfName("b", 0, -2), -1);
  EXPECT_EQ(list->IndexOfName("$NEW_ROW$", 0, -2), 1);
  EXPECT_EQ(list->IndexOfName("b", 2, -2), 2);

  auto lower = ListOf({{"a", Variant(1)}, {"$new_row$", Variant::Null()}, {"b", Variant(2)}});
  std::int32_t end = -1;
  bool marker = true;
  ASSERT_TRUE(lower->FindRowEnd(0, end, marker));
  EXPECT_EQ(end, 2);
  EXPECT_FALSE(marker);
}

TEST(ParamList, FindRowEndSplitsRows) {
  auto list = ListOf({{"a", Variant(1)}, {"$NEW_ROW$", Variant::Null()}, {"b", Variant(2)}, {"$NEW_ROW$", Variant::Null()}});
  std::vector<std::pair<int, int>> rows;
  std::int32_t start = 0, end = 0;
  bool marker = false;
  while (list->FindRowEnd(start, end, marker)) {
    rows.emplace_back(start, marker ? end - 1 : end);
    start = end + 1;
  }
  EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{0, 0}, {2, 2}}));

  auto plain = ListOf({{"a", Variant(1)}, {"b", Variant(2)}});
  ASSERT_TRUE(plain->FindRowEnd(-3, end, marker));
  EXPECT_EQ(end, 1);
  EXPECT_FALSE(marker);
  EXPECT_FALSE(plain->FindRowEnd(2, end, marker));
}

TEST(ParamList, StoringConvertsByteStringsToOleStrings) {
  TorbParamsList list;
  list.Add("s", Variant(rtl::AnsiString("abc")));
  EXPECT_EQ(list.Items(0)->Value.VarType(), rtl::varOleStr);
  EXPECT_EQ(list.Items(0)->Value.AsOleStrRaw(), u"abc");

  const Variant kinds[] = {Variant::FromSmallint(-2), Variant(7), Variant::FromSingle(1.5f), Variant(2.5),
                           Variant::FromCurrency(12345), Variant(true), Variant::FromShortInt(-1),
                           Variant::FromByte(200), Variant::FromWord(60000), Variant::FromLongWord(4000000000u),
                           Variant(std::int64_t{1} << 40), Variant::FromDate(45000.25)};
  for (const Variant& v : kinds) {
    TorbParamsListItem* item = list.Add("k", v);
    EXPECT_TRUE(item->Value.SameAs(v)) << "type " << v.VarType();
  }
}

TEST(ParamList, WriteValueCreatesOnlyWhenAsked) {
  TorbParamsList list;
  EXPECT_EQ(list.WriteValue("x", Variant(rtl::AnsiString("v")), false), nullptr);
  EXPECT_EQ(list.Count(), 0);
  TorbParamsListItem* item = list.WriteValue("x", Variant(rtl::AnsiString("v")), true);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Value.VarType(), rtl::varOleStr);
  EXPECT_EQ(list.WriteValue("X", Variant(5)), item);
  EXPECT_TRUE(item->Value.SameAs(Variant(5)));
  EXPECT_EQ(list.Count(), 1);
}

TEST(ParamList, ItemStateFollowsTheConstructorValue) {
  TorbParamsListItem empty("a", Variant());
  TorbParamsListItem null("a", Variant::Null());
  TorbParamsListItem full("a", Variant(0));
  EXPECT_EQ(empty.State, 0);
  EXPECT_EQ(null.State, 0);
  EXPECT_EQ(full.State, 2);
}

TEST(ParamList, AddCopyCopiesTheItemsIdentity) {
  TorbParamsList source;
  TorbParamsListItem* item = source.Add("Name", Variant(1));
  item->ValueType = rtl::varInteger;
  item->State = 7;
  TorbParamsList target;
  EXPECT_EQ(target.AddCopy(nullptr), nullptr);
  TorbParamsListItem* copy = target.AddCopy(item);
  EXPECT_EQ(copy->Name, "Name");
  EXPECT_EQ(copy->Key, "name");
  EXPECT_EQ(copy->ValueType, rtl::varInteger);
  EXPECT_EQ(copy->State, 7);
  EXPECT_TRUE(copy->Value.SameAs(Variant(1)));
}

TEST(ParamList, AppendRowEndsEachRowWithOneMarker) {
  TorbParamsList out;
  auto row = ListOf({{"a", Variant(1)}});
  out.AppendRow(row.get());
  auto marked = ListOf({{"b", Variant(2)}, {"$NEW_ROW$", Variant::Null()}});
  out.AppendRow(marked.get());
  TorbParamsList empty;
  out.AppendRow(&empty);
  out.AppendRow(nullptr);
  EXPECT_EQ(Names(out), (std::vector<std::string>{"a", "$NEW_ROW$", "b", "$NEW_ROW$"}));
  EXPECT_TRUE(out.Items(1)->Value.IsNull());
}

TEST(ParamList, MoveRowToMakesWhatAppendRowMakesAndHandsTheItemsOver) {
  auto make = [] {
    std::vector<std::unique_ptr<TorbParamsList>> rows;
    rows.push_back(ListOf({{"a", Variant(1)}, {"s", Variant("text")}}));
    rows.push_back(ListOf({{"b", Variant(2)}, {"$NEW_ROW$", Variant::Null()}}));
    rows.push_back(std::make_unique<TorbParamsList>());
    rows.push_back(ListOf({{"c", Variant(3)}, {"gone", Variant(4)}}));
    rows.back()->Items(1)->Name = rtl::AnsiString(" ");  // what AddCopy refuses
    return rows;
  };
  TorbParamsList copied, moved;
  for (auto& row : make()) copied.AppendRow(row.get());
  for (auto& row : make()) {
    const TorbParamsListItem* first = row->Items(0);
    const int before = moved.Count();
    row->MoveRowTo(&moved);
    EXPECT_EQ(row->Count(), 0);
    if (first) {
      EXPECT_EQ(moved.Items(before), first);
    }
  }
  ASSERT_EQ(Names(moved), Names(copied));
  for (int i = 0; i < moved.Count(); ++i) EXPECT_TRUE(moved.Items(i)->Value.SameAs(copied.Items(i)->Value)) << i;
}

TEST(ParamList, AddFromAndAddRange) {
  auto src = ListOf({{"a", Variant(1)}, {"b", Variant(2)}, {"c", Variant(3)}});
  TorbParamsList dst;
  EXPECT_FALSE(dst.AddFrom(nullptr));
  TorbParamsList empty;
  EXPECT_FALSE(dst.AddRange(&empty, 0, 0));
  EXPECT_TRUE(dst.AddRange(src.get(), 1, 99));
  EXPECT_TRUE(dst.AddRange(src.get(), 2, 1));  // empty range still succeeds
  EXPECT_TRUE(dst.AddFrom(src.get()));
  EXPECT_EQ(Names(dst), (std::vector<std::string>{"b", "c", "a", "b", "c"}));
}

TEST(ParamList, DeleteAndItemsTolerateRangesAsStated) {
  auto list = ListOf({{"a", Variant(1)}, {"b", Variant(2)}});
  EXPECT_EQ(list->Items(-1), nullptr);
  EXPECT_EQ(list->Items(2), nullptr);
  list->Delete(5);
  EXPECT_EQ(list->Count(), 2);
  ExpectAssertion([&] { list->Delete(-1); }, "Assertion failure");
  list->Delete(0);
  EXPECT_EQ(Names(*list), (std::vector<std::string>{"b"}));
}

TEST(ParamList, ExistingValues) {
  auto list = ListOf({{"a", Variant(1)}});
  Variant v;
  list->GetExisting("A", v);
  EXPECT_TRUE(v.SameAs(Variant(1)));
  EXPECT_EQ(list->SetExisting("a", Variant(2)), list->Items(0));
  ExpectAssertion([&] { list->GetExisting("b", v); }, "Parameter is not defined");
  ExpectAssertion([&] { list->SetExisting("b", v); }, "Parameter is not defined");
}

TEST(ParamList, ForeignOrDestroyedListsFailTheSignatureTest) {
  auto list = ListOf({{"a", Variant(1)}});
  TorbParamsList other;
  list->Signature = 0x12345678;
  ExpectAssertion([&] { list->IndexOfName("a"); }, "Assertion failure");
  ExpectAssertion([&] { other.AddFrom(list.get()); }, "Assertion failure");
  ExpectAssertion([&] { other.AddRange(list.get(), 0, 0); }, "Assertion failure");
  list->Signature = 0;  // what a destroyed list leaves behind
  EXPECT_FALSE(TorbParamsList::IsValidList(list.get()));
  ExpectAssertion([&] { list->ItemByName("a"); }, "Assertion failure");
  list->Signature = ParamsListSignature;
}

TEST(ParamList, ListsHaveFreshIdsAndRowsListsTheirClassName) {
  TorbParamsList a, b;
  EXPECT_EQ(a.Id.Length(), 38u);
  EXPECT_EQ(a.Id[0], '{');
  EXPECT_NE(a.Id, b.Id);
  std::unique_ptr<TorbParamsList> rows(TorbRowsParamsList::ClassRef.Create());
  EXPECT_STREQ(rows->ClassName(), "TorbRowsParamsList");
  EXPECT_STREQ(a.ClassName(), "TorbParamsList");
}

TEST(ParamList, ThreadHolderGuardsItsOwnList) {
  TorbThreadParamsList holder;
  TorbParamsList* list = holder.LockWrite();
  list->Add("a", Variant(1));
  holder.UnlockWrite();
  TorbParamsList* read = holder.LockRead();
  EXPECT_EQ(read, list);
  EXPECT_EQ(read->Count(), 1);
  // A reader may upgrade.
  bool clean = false;
  holder.LockWrite(&clean);
  EXPECT_TRUE(clean);
  holder.UnlockWrite();
  holder.UnlockRead();
}

// Freed item blocks are reused, up to the cache's bound; the rest go back to the heap.
TEST(BlockCache, FreedBlocksAreReusedUpToTheBound) {
  orb::TorbBlockCache cache(64, 2);
  void* a = cache.Take();
  void* b = cache.Take();
  void* c = cache.Take();
  cache.Give(a);
  cache.Give(b);
  cache.Give(c);  // over the bound: freed
  EXPECT_EQ(cache.CachedBlocks(), 2u);
  void* again = cache.Take();
  EXPECT_TRUE(again == a || again == b);
  cache.Give(again);

  // Thousands of blocks (the cache's own room grows): the last given is taken first.
  orb::TorbBlockCache many(32, 3000);
  std::vector<void*> blocks;
  for (int i = 0; i < 3001; ++i) blocks.push_back(many.Take());
  for (void* p : blocks) many.Give(p);
  EXPECT_EQ(many.CachedBlocks(), 3000u);
  for (int i = 2999; i >= 0; --i) ASSERT_EQ(many.Take(), blocks[static_cast<std::size_t>(i)]);
  EXPECT_EQ(many.CachedBlocks(), 0u);
  for (int i = 0; i < 3000; ++i) many.Give(blocks[static_cast<std::size_t>(i)]);

  // Items of the list use such a cache: a deleted item's block serves the next one.
  auto* item = new orb::TorbParamsListItem("A", rtl::Variant(std::int32_t{1}));
  const std::size_t cached = orb::TorbParamsListItem::CachedBlocks();
  void* block = item;
  delete item;
  EXPECT_EQ(orb::TorbParamsListItem::CachedBlocks(), cached + 1);
  auto* next = new orb::TorbParamsListItem("B", rtl::Variant());
  EXPECT_EQ(static_cast<void*>(next), block);
  delete next;
}

// Every list has its own GUID, in the registry's text form, of the random kind.
TEST(ParamList, ListsHaveDistinctGuids) {
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i) {
    TorbParamsList list;
    const std::string id = list.Id.str();
    ASSERT_EQ(id.size(), 38u) << id;
    EXPECT_EQ(id.front(), '{');
    EXPECT_EQ(id.back(), '}');
    EXPECT_EQ(id[15], '4') << id;  // version 4
    EXPECT_NE(std::string("89AB").find(id[20]), std::string::npos) << id;  // the standard variant
    EXPECT_TRUE(seen.insert(id).second) << id;
  }
}
