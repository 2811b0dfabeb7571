// Time a thread spends waiting for the user (a modal window, a message box). Run-time
// limits do not count it: whoever times work on a thread listens here, and whatever
// makes the thread wait for the user marks that wait with a TUserWaitScope.
#pragma once

namespace rtl {

class TUserWaitListener {
public:
  virtual void UserWaitBegins() noexcept = 0;
  virtual void UserWaitEnds() noexcept = 0;

protected:
  ~TUserWaitListener() = default;
};

// Makes listener the calling thread's (nullptr: none); returns the previous one.
TUserWaitListener* SetUserWaitListener(TUserWaitListener* listener) noexcept;

// Marks a wait for the user on the calling thread for its scope.
class TUserWaitScope {
public:
  TUserWaitScope() noexcept;
  ~TUserWaitScope();
  TUserWaitScope(const TUserWaitScope&) = delete;
  TUserWaitScope& operator=(const TUserWaitScope&) = delete;

private:
  TUserWaitListener* FListener;
};

}  // namespace rtl
