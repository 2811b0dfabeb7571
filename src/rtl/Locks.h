// The two lock kinds the framework uses: a re-entrant critical section, and a
// multi-reader, single-writer lock whose readers may upgrade to writing.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace rtl {

// Exclusive, re-entrant for the thread that holds it.
class TCriticalSection {
public:
  void Enter() { FMutex.lock(); }
  void Leave() { FMutex.unlock(); }
  bool TryEnter() { return FMutex.try_lock(); }
  // Lockable, for std::lock_guard.
  void lock() { Enter(); }
  void unlock() { Leave(); }
  bool try_lock() { return TryEnter(); }

private:
  std::recursive_mutex FMutex;
};

// Any number of readers or one writer. A thread holding the read lock may take the
// write lock: its read is set aside while it waits, and BeginWrite returns False when
// another writer got in meanwhile (what was read may have changed). A writer may take
// further read and write locks. Waiting writers keep new readers out.
class TMultiReadExclusiveWriteSynchronizer {
public:
  TMultiReadExclusiveWriteSynchronizer() = default;
  TMultiReadExclusiveWriteSynchronizer(const TMultiReadExclusiveWriteSynchronizer&) = delete;
  TMultiReadExclusiveWriteSynchronizer& operator=(const TMultiReadExclusiveWriteSynchronizer&) = delete;
  ~TMultiReadExclusiveWriteSynchronizer();

  void BeginRead();
  void EndRead();
  bool BeginWrite();
  void EndWrite();

  // Number of write locks granted so far; for tests and diagnostics.
  std::uint32_t WriteSequence() const;

private:
  // What one thread holds: its reads outside writing (counted once in FReaderThreads)
  // and the reads it took while being the writer. Kept in the lock under FMutex;
  // entries go when they hold nothing, the vector keeps its capacity.
  struct ThreadState {
    std::thread::id Thread;
    int Reads;
    int ReadsUnderWrite;
  };
  ThreadState& StateOf(std::thread::id thread);
  void DropIdle(std::thread::id thread);

  mutable std::mutex FMutex;
  std::condition_variable FChanged;
  int FReaderThreads = 0;
  int FWaitingWriters = 0;
  std::thread::id FWriter;
  int FWriteDepth = 0;
  std::uint32_t FWriteSequence = 0;
  std::vector<ThreadState> FThreads;
};

// Scope guards.
class CriticalSectionGuard {
public:
  explicit CriticalSectionGuard(TCriticalSection& cs) : FCs(cs) { FCs.Enter(); }
  ~CriticalSectionGuard() { FCs.Leave(); }
  CriticalSectionGuard(const CriticalSectionGuard&) = delete;
  CriticalSectionGuard& operator=(const CriticalSectionGuard&) = delete;

private:
  TCriticalSection& FCs;
};

class ReadGuard {
public:
  explicit ReadGuard(TMultiReadExclusiveWriteSynchronizer& sync) : FSync(sync) { FSync.BeginRead(); }
  ~ReadGuard() { FSync.EndRead(); }
  ReadGuard(const ReadGuard&) = delete;
  ReadGuard& operator=(const ReadGuard&) = delete;

private:
  TMultiReadExclusiveWriteSynchronizer& FSync;
};

class WriteGuard {
public:
  explicit WriteGuard(TMultiReadExclusiveWriteSynchronizer& sync) : FSync(sync) { FSync.BeginWrite(); }
  ~WriteGuard() { FSync.EndWrite(); }
  WriteGuard(const WriteGuard&) = delete;
  WriteGuard& operator=(const WriteGuard&) = delete;

private:
  TMultiReadExclusiveWriteSynchronizer& FSync;
};

}  // namespace rtl
