// Work of native routines that can loop over large data (searching, replacing,
// sorting, building long texts). Whoever bounds the time of work on a thread listens
// here; the routines report what they have done, and every so many units the listener
// is asked whether the work may go on: it stops it by raising. Without a listener the
// report costs a subtraction.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rtl {

class TLongWorkListener {
public:
  // Raises when the work must stop.
  virtual void LongWorkGoesOn() = 0;

protected:
  ~TLongWorkListener() = default;
};

// Makes listener the calling thread's (nullptr: none); returns the previous one.
TLongWorkListener* SetLongWorkListener(TLongWorkListener* listener) noexcept;

namespace detail {
extern thread_local std::int64_t tLongWorkCountdown;
void LongWorkDue();
}  // namespace detail

// Units of work done: about a byte compared or copied, or an element moved. Raises what
// the listener raises.
inline void LongWorkDone(std::size_t units) {
  if ((detail::tLongWorkCountdown -= static_cast<std::int64_t>(units)) < 0) detail::LongWorkDue();
}

}  // namespace rtl
