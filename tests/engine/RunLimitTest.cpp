// The run-time bound of a program run: it stops a run once its time has passed, not
// before, and leaves out the time the thread waits for the user. The margins are wide
// so that a loaded machine does not decide the outcome.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "engine/fsRunLimit.h"
#include "rtl/LongWork.h"
#include "rtl/UserWait.h"

namespace fs {
namespace {

// Ticks until the limit raises, or for at most the given time; true when it raised.
bool RaisesWithin(TfsRunLimit& limit, std::chrono::milliseconds span) {
  const auto end = std::chrono::steady_clock::now() + span;
  try {
    while (std::chrono::steady_clock::now() < end) limit.Tick();
  } catch (const ERunTimeLimit& e) {
    EXPECT_EQ(e.Message(), "Script run time limit exceeded (200 ms)");
    return true;
  }
  return false;
}

TEST(RunLimit, StopsOnlyOnceTheTimeHasPassed) {
  TfsRunLimit limit;
  limit.Start(200);
  EXPECT_FALSE(RaisesWithin(limit, std::chrono::milliseconds(20)));
  EXPECT_TRUE(RaisesWithin(limit, std::chrono::milliseconds(5000)));
  // Finished, nothing is bounded; a new start counts afresh.
  limit.Finish();
  EXPECT_FALSE(RaisesWithin(limit, std::chrono::milliseconds(50)));
  limit.Start(0);
  EXPECT_FALSE(RaisesWithin(limit, std::chrono::milliseconds(50)));
}

TEST(RunLimit, TimeSpentWaitingForTheUserDoesNotCount) {
  TfsRunLimit limit;
  rtl::TUserWaitListener* previous = rtl::SetUserWaitListener(&limit);
  limit.Start(200);
  EXPECT_FALSE(RaisesWithin(limit, std::chrono::milliseconds(20)));
  {
    rtl::TUserWaitScope waiting;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // Passes made while a modal window is up are not stopped either.
    EXPECT_FALSE(RaisesWithin(limit, std::chrono::milliseconds(20)));
  }
  EXPECT_FALSE(RaisesWithin(limit, std::chrono::milliseconds(20)));
  EXPECT_TRUE(RaisesWithin(limit, std::chrono::milliseconds(5000)));
  rtl::SetUserWaitListener(previous);
}

// Native routines report their work, not ticks: the limit reads the clock each time
// it hears of it, however long the script has gone without a tick.
TEST(RunLimit, StopsTheLongWorkOfNativeRoutines) {
  TfsRunLimit limit;
  rtl::TLongWorkListener* previous = rtl::SetLongWorkListener(&limit);
  limit.Start(200);
  auto stoppedWithin = [](std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    try {
      while (std::chrono::steady_clock::now() < end) rtl::LongWorkDone(1 << 16);
    } catch (const ERunTimeLimit&) {
      return true;
    }
    return false;
  };
  EXPECT_FALSE(stoppedWithin(std::chrono::milliseconds(20)));
  EXPECT_TRUE(stoppedWithin(std::chrono::milliseconds(5000)));
  limit.Finish();
  EXPECT_FALSE(stoppedWithin(std::chrono::milliseconds(50)));
  rtl::SetLongWorkListener(previous);
}

}  // namespace
}  // namespace fs
