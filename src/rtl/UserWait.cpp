#include "rtl/UserWait.h"

namespace rtl {

namespace {
thread_local TUserWaitListener* tListener = nullptr;
}

TUserWaitListener* SetUserWaitListener(TUserWaitListener* listener) noexcept {
  TUserWaitListener* previous = tListener;
  tListener = listener;
  return previous;
}

TUserWaitScope::TUserWaitScope() noexcept : FListener(tListener) {
  if (FListener) FListener->UserWaitBegins();
}

TUserWaitScope::~TUserWaitScope() {
  if (FListener) FListener->UserWaitEnds();
}

}  // namespace rtl
