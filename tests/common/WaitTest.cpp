// Time-outs, the message pump and the polling wait.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Public/Common/orbThreadLists.h"
#include "Public/Common/orbThreadObject.h"
#include "Public/Common/orbTimeout.h"
#include "Public/Common/orbWait.h"
#include "platform/Messages.h"

using namespace orb;

namespace {
std::uint32_t gFakeTicks = 0;
std::uint64_t Fake64() { return gFakeTicks; }
std::uint32_t Fake32() { return gFakeTicks; }
const TTickSource kFake32Ticks = {false, &Fake64, &Fake32};

struct FakeClock {
  FakeClock() { SetTickSource(&kFake32Ticks); }
  ~FakeClock() { SetTickSource(nullptr); }
};
}  // namespace

TEST(Timeout, WidensTheThirtyTwoBitCounterAcrossTheWrap) {
  FakeClock clock;
  gFakeTicks = 0xFFFFFF00u;
  TTimeout t;
  StartTimeout(t, 1000);
  EXPECT_TRUE(t.Active);
  EXPECT_FALSE(TimedOut(t));
  gFakeTicks = 0x00000010u;  // wrapped, 0x110 ms later
  EXPECT_FALSE(TimedOut(t));
  EXPECT_EQ(t.Wraps, 1u);
  gFakeTicks = 0x000002E7u;  // 999 ms after the start
  EXPECT_FALSE(TimedOut(t));
  gFakeTicks = 0x000002E8u;  // 1000 ms
  EXPECT_TRUE(TimedOut(t));
}

TEST(Timeout, SixtyFourBitSource) {
  TTimeout t;
  StartTimeout(t, 0);
  EXPECT_TRUE(TimedOut(t));
  StartTimeout(t, 60000);
  EXPECT_FALSE(TimedOut(t));
}

TEST(MessagePump, StopsAfterMaxCountAndKeepsTheQuitMessage) {
  const auto self = platform::CurrentThreadId();
  for (int i = 0; i < 25; ++i) ASSERT_TRUE(platform::PostThreadMessageTo(self, 0x8000 + 1, i, 0));
  EXPECT_EQ(ProcessThreadMessages(10), 10);
  EXPECT_EQ(ProcessThreadMessages(0), 15);
  EXPECT_EQ(ProcessThreadMessages(0), 0);

  platform::PostThreadMessageTo(self, 0x8000 + 1, 0, 0);
  platform::PostQuit(3);
  platform::PostThreadMessageTo(self, 0x8000 + 1, 0, 0);
  ProcessThreadMessages(0);
  int code = 0;
  EXPECT_TRUE(platform::QuitMessageWaiting(&code));
  EXPECT_EQ(code, 3);
}

TEST(WaitWhileFlags, ReturnsWhenAFlagClears) {
  TWaitFlag busy{1}, other{1};
  std::thread t([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    busy = 0;
  });
  EXPECT_TRUE(WaitWhileFlags(5000, {&busy, &other}));
  t.join();
}

TEST(WaitWhileFlags, DecidesAtOnceAndTimesOut) {
  TWaitFlag set{1}, clear{0};
  EXPECT_TRUE(WaitWhileFlags(0, {&set, &clear}));
  EXPECT_FALSE(WaitWhileFlags(0, {&set, nullptr}));
  // A clear flag before a nil pointer decides first.
  EXPECT_TRUE(WaitWhileFlags(0, {&clear, nullptr}));
  EXPECT_FALSE(WaitWhileFlags(120, {&set}, wwfNoMessages));
}

TEST(WaitWhileFlags, StopsWhenTheApplicationTerminates) {
  TWaitFlag set{1};
  SetApplicationTerminating(true);
  EXPECT_FALSE(WaitWhileFlags(10000, {&set}));
  SetApplicationTerminating(false);
}

TEST(ThreadObject, HolderWithoutObjectGuardsItself) {
  TThreadObject holder;
  EXPECT_EQ(holder.LockRead(), &holder);
  holder.UnlockRead();
  EXPECT_EQ(holder.LockWrite(), &holder);
  holder.UnlockWrite();
  int object = 0;
  TThreadObjectCs cs(&object);
  EXPECT_EQ(cs.Lock(), &object);
  cs.Unlock();
  TThreadObjectCs self;
  EXPECT_EQ(self.Lock(), &self);
  self.Unlock();
}

TEST(ThreadLists, ModuleConfigListFindsNamesById) {
  TModuleConfigList configs;
  configs.AddConfig("first", 3);
  configs.AddConfig("second", 9);
  configs.AddConfig("again", 3);
  std::string name = "unchanged";
  EXPECT_EQ(configs.FindName(0, name), -1);
  EXPECT_EQ(configs.FindName(4, name), -1);
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(configs.FindName(9, name), 1);
  EXPECT_EQ(name, "second");
  EXPECT_EQ(configs.FindName(3, name), 0);
  EXPECT_EQ(name, "first");
  EXPECT_EQ(configs.Count(), 3);
}

TEST(ThreadLists, ObjectListCountsUnderItsLock) {
  TThreadObjectList list(true);
  rtl::TObjectList* objects = list.LockList();
  objects->Add(rtl::CreateObject<rtl::TObject>());
  list.UnlockList();
  EXPECT_EQ(list.Count(), 1);  // freed with the owning list
}
