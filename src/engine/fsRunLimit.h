// TfsRunLimit: a bound on how long one run of a compiled program may take. A host
// starts it before a run and finishes it after; the program counts its loop passes and
// calls of script routines here, and the clock is read only every so many of them, so
// an unbounded loop is stopped at its next pass or call while the count costs a
// decrement. Native routines that loop over large data ask it as they go (a long work
// listener), so one call cannot outrun the limit either. Time the thread spends
// waiting for the user is not counted.
#pragma once

#include <cstdint>
#include <string>

#include "rtl/Exceptions.h"
#include "rtl/LongWork.h"
#include "rtl/UserWait.h"

namespace fs {

extern const char* const kRunTimeLimitText;

// The run went past its limit. Scripts cannot catch it: a handler in the script would
// only let the run go on.
class ERunTimeLimit : public rtl::Exception {
public:
  explicit ERunTimeLimit(std::uint32_t limitMs);
};

class TfsRunLimit final : public rtl::TUserWaitListener, public rtl::TLongWorkListener {
public:
  // Bounds the run that follows to limitMs milliseconds (0: unbounded).
  void Start(std::uint32_t limitMs) noexcept;
  // The run is over: nothing is bounded until the next Start.
  void Finish() noexcept;

  // A loop pass or a call; raises ERunTimeLimit once the limit has passed.
  void Tick() {
    if (--FCountdown < 0) Check();
  }

  // A native routine's work: the clock is read at once, as its passes are not ticks
  // of the script and may each take long.
  void LongWorkGoesOn() override;

  void UserWaitBegins() noexcept override;
  void UserWaitEnds() noexcept override;

private:
  void Check();

  std::int32_t FCountdown = INT32_MAX;
  std::int32_t FStride = 1;
  std::uint32_t FLimitMs = 0;
  int FWaitDepth = 0;
  std::uint64_t FDeadline = 0;  // 0: the clock has not been read in this run yet
  std::uint64_t FLastCheck = 0;
  std::uint64_t FWaitStart = 0;
};

}  // namespace fs
