#include "rtl/Locks.h"

#include <algorithm>

namespace rtl {

TMultiReadExclusiveWriteSynchronizer::~TMultiReadExclusiveWriteSynchronizer() = default;

TMultiReadExclusiveWriteSynchronizer::ThreadState& TMultiReadExclusiveWriteSynchronizer::StateOf(std::thread::id thread) {
  for (ThreadState& s : FThreads)
    if (s.Thread == thread) return s;
  FThreads.push_back({thread, 0, 0});
  return FThreads.back();
}

void TMultiReadExclusiveWriteSynchronizer::DropIdle(std::thread::id thread) {
  auto it = std::find_if(FThreads.begin(), FThreads.end(), [&](const ThreadState& s) { return s.Thread == thread; });
  if (it != FThreads.end() && it->Reads == 0 && it->ReadsUnderWrite == 0) {
    *it = FThreads.back();
    FThreads.pop_back();
  }
}

void TMultiReadExclusiveWriteSynchronizer::BeginRead() {
  std::unique_lock lock(FMutex);
  const auto self = std::this_thread::get_id();
  if (FWriter == self) {
    ++StateOf(self).ReadsUnderWrite;
    return;
  }
  if (StateOf(self).Reads == 0) {
    FChanged.wait(lock, [&] { return FWriter == std::thread::id() && FWaitingWriters == 0; });
    ++FReaderThreads;
  }
  // Looked up again: waiting let other threads change the vector.
  ++StateOf(self).Reads;
}

void TMultiReadExclusiveWriteSynchronizer::EndRead() {
  std::lock_guard lock(FMutex);
  const auto self = std::this_thread::get_id();
  ThreadState& local = StateOf(self);
  if (FWriter == self && local.ReadsUnderWrite > 0) {
    --local.ReadsUnderWrite;
  } else if (local.Reads > 0) {
    --local.Reads;
    // While writing, this thread's read is set aside and not counted.
    if (local.Reads == 0 && FWriter != self) {
      --FReaderThreads;
      FChanged.notify_all();
    }
  }
  DropIdle(self);
}

bool TMultiReadExclusiveWriteSynchronizer::BeginWrite() {
  std::unique_lock lock(FMutex);
  const auto self = std::this_thread::get_id();
  if (FWriter == self) {
    ++FWriteDepth;
    return true;
  }
  const std::uint32_t seen = FWriteSequence;
  const bool upgrading = StateOf(self).Reads > 0;
  DropIdle(self);
  if (upgrading) {
    --FReaderThreads;
    FChanged.notify_all();
  }
  ++FWaitingWriters;
  FChanged.wait(lock, [&] { return FWriter == std::thread::id() && FReaderThreads == 0; });
  --FWaitingWriters;
  FWriter = self;
  FWriteDepth = 1;
  ++FWriteSequence;
  return FWriteSequence == seen + 1;
}

void TMultiReadExclusiveWriteSynchronizer::EndWrite() {
  std::lock_guard lock(FMutex);
  const auto self = std::this_thread::get_id();
  if (FWriter != self) return;
  if (--FWriteDepth > 0) return;
  FWriter = std::thread::id();
  // An upgraded reader gets its read back at once: no writer can be in now.
  ThreadState& local = StateOf(self);
  if (local.Reads > 0) ++FReaderThreads;
  DropIdle(self);
  FChanged.notify_all();
}

std::uint32_t TMultiReadExclusiveWriteSynchronizer::WriteSequence() const {
  std::lock_guard lock(FMutex);
  return FWriteSequence;
}

}  // namespace rtl
