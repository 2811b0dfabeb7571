#include "platform/CallStack.h"

#include <execinfo.h>
#include <limits.h>
#include <pthread.h>

#include <cstdio>
#include <exception>

namespace platform {

std::string CallStackText() {
  void* frames[32];
  int n = backtrace(frames, 32);
  std::string text;
  char line[32];
  for (int i = 1; i < n; ++i) {
    std::snprintf(line, sizeof line, "%p\n", frames[i]);
    text += line;
  }
  return text;
}

StackBounds CurrentStackBounds() {
  thread_local const StackBounds bounds = [] {
    StackBounds b;
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return b;
    void* low = nullptr;
    std::size_t size = 0;
    if (pthread_attr_getstack(&attr, &low, &size) == 0) {
      b.Low = reinterpret_cast<std::uintptr_t>(low);
      b.Size = size;
    }
    pthread_attr_destroy(&attr);
    return b;
  }();
  return bounds;
}

namespace {

struct ThreadWork {
  const std::function<void()>* Work;
  std::exception_ptr Error;
};

void* RunWork(void* arg) {
  auto* w = static_cast<ThreadWork*>(arg);
  try {
    (*w->Work)();
  } catch (...) {
    w->Error = std::current_exception();
  }
  return nullptr;
}

}  // namespace

bool RunOnThreadWithStack(std::size_t stackBytes, const std::function<void()>& work) {
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return false;
  if (stackBytes < static_cast<std::size_t>(PTHREAD_STACK_MIN)) stackBytes = static_cast<std::size_t>(PTHREAD_STACK_MIN);
  ThreadWork w{&work, nullptr};
  pthread_t thread;
  const bool started =
      pthread_attr_setstacksize(&attr, stackBytes) == 0 && pthread_create(&thread, &attr, &RunWork, &w) == 0;
  pthread_attr_destroy(&attr);
  if (!started) return false;
  pthread_join(thread, nullptr);
  if (w.Error) std::rethrow_exception(w.Error);
  return true;
}

}  // namespace platform
