// The script memory limit: blocks for script values are refused before they are taken
// when they would go past the running budget, large ones count for their whole life
// wherever they are freed, small ones within their section, and lists' storage with the
// budget it was charged to.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "rtl/AnsiString.h"
#include "rtl/List.h"
#include "rtl/ScriptMemory.h"
#include "rtl/StringList.h"
#include "rtl/Variant.h"

namespace rtl {
namespace {

constexpr std::size_t kMB = 1 << 20;

std::string LimitError(const std::function<void()>& work) {
  try {
    work();
  } catch (const EScriptMemoryLimit& e) {
    EXPECT_EQ(e.ClassName(), "EOutOfMemory");
    return e.Message();
  }
  return "no error";
}

TEST(ScriptMemory, LargeBlocksCountForTheirLifeAndWhatWouldPassTheLimitIsRefused) {
  auto budget = std::make_shared<TScriptMemory>(1);
  AnsiString kept;
  {
    TScriptMemoryScope scope(budget.get());
    kept = AnsiString(std::string(600 * 1024, 'a'));
    EXPECT_GE(budget->Used(), 600 * 1024);
    EXPECT_EQ(LimitError([] { AnsiString refused(std::string(600 * 1024, 'b')); }), "Script memory limit exceeded (1 MB)");
    // Growing in place counts the growth.
    EXPECT_EQ(LimitError([&] { kept += std::string(500 * 1024, 'c'); }), "Script memory limit exceeded (1 MB)");
    EXPECT_EQ(kept.Length(), 600u * 1024);
    // Wide texts and arrays are script values too.
    EXPECT_EQ(LimitError([] { Variant refused{std::u16string_view(std::u16string(300 * 1024, u'w'))}; }), "Script memory limit exceeded (1 MB)");
    const std::int32_t bounds[] = {0, 40000};
    EXPECT_EQ(LimitError([&] { VarArrayDestroy(VarArrayCreate(bounds, 1)); }), "Script memory limit exceeded (1 MB)");
  }
  // Freed on another thread, outside any scope: the budget gets it back.
  std::thread([&] { kept = AnsiString(); }).join();
  EXPECT_EQ(budget->Used(), 0);
  TScriptMemoryScope scope(budget.get());
  EXPECT_EQ(AnsiString(std::string(900 * 1024, 'd')).Length(), 900u * 1024);
  // No limit: the same budget takes anything.
  budget->SetLimitMB(0);
  EXPECT_EQ(AnsiString(std::string(3 * kMB, 'e')).Length(), 3 * kMB);
}

TEST(ScriptMemory, AStringGrownByAppendsCountsItsSizeOnceAndGivesItBack) {
  auto budget = std::make_shared<TScriptMemory>(1);
  AnsiString grown, uncounted(std::string(100 * 1024, 'u'));  // made outside any budget
  {
    TScriptMemoryScope scope(budget.get());
    const std::string piece(1000, 'x');
    // Past the large-block size the block moves and grows: it stays one charge of its size.
    for (int i = 0; i < 200; ++i) grown += piece;
    EXPECT_GE(budget->Used(), 200 * 1000);
    EXPECT_LT(budget->Used(), 200 * 1000 + 4096);
    // A large block made before the budget ran is charged once it grows under it.
    uncounted += piece;
    EXPECT_GE(budget->Used(), 200 * 1000 + 100 * 1024 + 1000);
    const std::string chunk(64 * 1024, 'y');
    EXPECT_EQ(LimitError([&] { for (;;) grown += chunk; }), "Script memory limit exceeded (1 MB)");
  }
  grown = AnsiString();
  uncounted = AnsiString();
  EXPECT_EQ(budget->Used(), 0);
}

TEST(ScriptMemory, SmallBlocksCountWithinTheirSection) {
  auto budget = std::make_shared<TScriptMemory>(1);
  std::vector<AnsiString> texts;
  texts.reserve(20000);
  {
    TScriptMemoryScope scope(budget.get());
    EXPECT_EQ(LimitError([&] {
                for (int i = 0; i < 20000; ++i) texts.push_back(AnsiString(std::string(100, 'x')));
              }),
              "Script memory limit exceeded (1 MB)");
    // About 1 MB of 109-byte blocks, then no more.
    EXPECT_GT(texts.size(), 9000u);
    EXPECT_LT(texts.size(), 9700u);
  }
  // The next section starts from zero; what the last one kept is not counted again.
  TScriptMemoryScope scope(budget.get());
  EXPECT_EQ(budget->Used(), 0);
  texts.push_back(AnsiString(std::string(100, 'y')));
  EXPECT_GT(budget->Used(), 0);
}

TEST(ScriptMemory, ListsChargeTheirStorageAndGiveItBackWhenFreed) {
  auto budget = std::make_shared<TScriptMemory>(1);
  TScriptMemoryScope scope(budget.get());
  {
    TObjectPtr<TStringList> strings = MakeObject<TStringList>();
    EXPECT_EQ(LimitError([&] { strings->SetCapacity(100000); }), "Script memory limit exceeded (1 MB)");
    EXPECT_EQ(strings->Capacity(), 0);
    EXPECT_EQ(LimitError([&] {
                for (int i = 0; i < 200000; ++i) strings->Add(AnsiString());
              }),
              "Script memory limit exceeded (1 MB)");
    EXPECT_GT(strings->Count(), 10000);
    TObjectPtr<TList> items = MakeObject<TList>();
    EXPECT_EQ(LimitError([&] { items->SetCapacity(200000); }), "Script memory limit exceeded (1 MB)");
  }
  EXPECT_EQ(budget->Used(), 0);
}

}  // namespace
}  // namespace rtl
