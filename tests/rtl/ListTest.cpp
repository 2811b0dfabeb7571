// Pointer lists and object lists: index errors, order operations, and which objects
// an owning list frees.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "rtl/List.h"
#include "rtl/ObjectList.h"
#include "rtl/StringList.h"

namespace rtl {
namespace {

int gItems[8];
void* P(int i) { return &gItems[i]; }

std::vector<void*> Items(const TList& l) { return l.List(); }

class TCounted : public TObject {
public:
  explicit TCounted(int* alive) : FAlive(alive) { ++*FAlive; }
  ~TCounted() override { --*FAlive; }

private:
  int* FAlive;
};

TEST(ListTest, IndexErrorsNameTheIndex) {
  TList list;
  list.Add(P(0));
  list.Add(P(1));
  struct Case {
    const char* what;
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {"Items", [&] { list.Items(2); }, "List index out of bounds (2)"},
      {"Items -1", [&] { list.Items(-1); }, "List index out of bounds (-1)"},
      {"SetItems", [&] { list.SetItems(2, nullptr); }, "List index out of bounds (2)"},
      {"Delete", [&] { list.Delete(5); }, "List index out of bounds (5)"},
      {"Insert", [&] { list.Insert(3, P(2)); }, "List index out of bounds (3)"},
      {"Exchange", [&] { list.Exchange(-1, 0); }, "List index out of bounds (-1)"},
      {"Move", [&] { list.Move(0, 2); }, "List index out of bounds (2)"},
      {"Capacity", [&] { list.SetCapacity(1); }, "List capacity out of bounds (1)"},
      {"Count", [&] { list.SetCount(-1); }, "List count out of bounds (-1)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.call();
      FAIL();
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_EQ(e.ClassName(), "EListError");
    }
  }
  EXPECT_EQ(Items(list), (std::vector<void*>{P(0), P(1)}));
  TList empty;
  EXPECT_THROW(empty.First(), EListError);
  EXPECT_THROW(empty.Last(), EListError);
}

TEST(ListTest, OrderOperations) {
  TList list;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.Add(P(i)), i);
  EXPECT_GE(list.Capacity(), 5);
  list.Move(0, 3);
  EXPECT_EQ(Items(list), (std::vector<void*>{P(1), P(2), P(3), P(0), P(4)}));
  list.Move(4, 0);
  EXPECT_EQ(Items(list), (std::vector<void*>{P(4), P(1), P(2), P(3), P(0)}));
  list.Exchange(0, 4);
  EXPECT_EQ(list.First(), P(0));
  EXPECT_EQ(list.Last(), P(4));
  EXPECT_EQ(list.Remove(P(2)), 2);
  EXPECT_EQ(list.Remove(P(2)), -1);
  EXPECT_EQ(list.Extract(P(3)), P(3));
  EXPECT_EQ(list.Extract(P(3)), nullptr);
  list.Insert(1, nullptr);
  list.Insert(list.Count(), nullptr);
  EXPECT_EQ(Items(list), (std::vector<void*>{P(0), nullptr, P(1), P(4), nullptr}));
  list.Pack();
  EXPECT_EQ(Items(list), (std::vector<void*>{P(0), P(1), P(4)}));
  list.Sort([](void* a, void* b) { return static_cast<int>(static_cast<int*>(b) - static_cast<int*>(a)); });
  EXPECT_EQ(Items(list), (std::vector<void*>{P(4), P(1), P(0)}));
  EXPECT_EQ(list.IndexOf(P(0)), 2);
  list.SetCount(5);
  EXPECT_EQ(list.Items(4), nullptr);
  list.SetCount(1);
  EXPECT_EQ(Items(list), (std::vector<void*>{P(4)}));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 0);
}

TEST(ListTest, OwningObjectListFreesWhatLeavesIt) {
  int alive = 0;
  {
    TObjectList list;
    EXPECT_TRUE(list.OwnsObjects());
    for (int i = 0; i < 6; ++i) list.Add(new TCounted(&alive));
    TObject* third = list.Items(2);
    list.Delete(0);
    EXPECT_EQ(alive, 5);
    EXPECT_EQ(list.Remove(third), 1);
    EXPECT_EQ(alive, 4);
    TObject* out = list.Extract(list.Items(0));
    EXPECT_EQ(alive, 4);
    delete out;
    EXPECT_EQ(alive, 3);
    list.SetItems(0, new TCounted(&alive));  // the replaced one is freed
    EXPECT_EQ(alive, 3);
    list.SetCount(2);
    EXPECT_EQ(alive, 2);
    list.Move(0, 1);
    list.Exchange(0, 1);
    EXPECT_EQ(alive, 2);
  }
  EXPECT_EQ(alive, 0);

  TCounted kept(&alive);
  {
    TObjectList borrowed(false);
    borrowed.Add(&kept);
    borrowed.Add(nullptr);
    borrowed.Clear();
  }
  EXPECT_EQ(alive, 1);
}

TEST(ListTest, FindInstanceOfByExactOrInheritedClass) {
  TObjectList list;
  list.Add(new TStringList());
  list.Add(nullptr);
  list.Add(new TObjectList());
  list.Add(new TStringList());
  EXPECT_EQ(list.FindInstanceOf(&TStringList::StaticClassInfo()), 0);
  EXPECT_EQ(list.FindInstanceOf(&TStringList::StaticClassInfo(), true, 1), 3);
  EXPECT_EQ(list.FindInstanceOf(&TList::StaticClassInfo()), -1);
  EXPECT_EQ(list.FindInstanceOf(&TList::StaticClassInfo(), false), 2);
  EXPECT_EQ(list.FindInstanceOf(&TPersistent::StaticClassInfo(), false, 1), 3);
}

}  // namespace
}  // namespace rtl
