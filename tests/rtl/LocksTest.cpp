// The two lock kinds: re-entrancy, reader/writer exclusion and read-to-write upgrades.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "rtl/Locks.h"

using rtl::TCriticalSection;
using rtl::TMultiReadExclusiveWriteSynchronizer;

TEST(Locks, CriticalSectionIsReentrant) {
  TCriticalSection cs;
  cs.Enter();
  cs.Enter();
  std::atomic<bool> got{true};
  std::thread other([&] { got = cs.TryEnter(); });
  other.join();
  EXPECT_FALSE(got);
  cs.Leave();
  cs.Leave();
  std::thread again([&] {
    got = cs.TryEnter();
    if (got) cs.Leave();
  });
  again.join();
  EXPECT_TRUE(got);
}

TEST(Locks, WriterMayNestReadsAndWrites) {
  TMultiReadExclusiveWriteSynchronizer sync;
  EXPECT_TRUE(sync.BeginWrite());
  sync.BeginRead();
  EXPECT_TRUE(sync.BeginWrite());
  sync.EndWrite();
  sync.EndRead();
  sync.EndWrite();
  // Fully released: another thread can write.
  std::thread t([&] {
    EXPECT_TRUE(sync.BeginWrite());
    sync.EndWrite();
  });
  t.join();
}

TEST(Locks, UpgradeReportsWhetherAnotherWriterGotIn) {
  TMultiReadExclusiveWriteSynchronizer sync;
  sync.BeginRead();
  EXPECT_TRUE(sync.BeginWrite());  // nobody else around
  sync.EndWrite();
  sync.EndRead();

  // Two readers upgrade at once: one gets in first, the other learns of it.
  std::atomic<int> ready{0};
  std::atomic<int> clean{0};
  auto reader = [&] {
    sync.BeginRead();
    ++ready;
    while (ready < 2) std::this_thread::yield();
    if (sync.BeginWrite()) ++clean;
    sync.EndWrite();
    sync.EndRead();
  };
  std::thread a(reader), b(reader);
  a.join();
  b.join();
  EXPECT_EQ(clean, 1);
  EXPECT_EQ(sync.WriteSequence(), 3u);
}

TEST(Locks, ReadersShareWritersExclude) {
  TMultiReadExclusiveWriteSynchronizer sync;
  int value = 0;
  std::atomic<int> readersInside{0};
  std::atomic<int> maxReaders{0};
  std::atomic<bool> overlap{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        if ((i + t) % 4 == 0) {
          sync.BeginWrite();
          if (readersInside.load() != 0) overlap = true;
          ++value;
          sync.EndWrite();
        } else {
          sync.BeginRead();
          int inside = ++readersInside;
          int seen = maxReaders.load();
          while (inside > seen && !maxReaders.compare_exchange_weak(seen, inside)) {
          }
          (void)value;
          --readersInside;
          sync.EndRead();
        }
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_FALSE(overlap);
  EXPECT_EQ(value, 2000);
}
