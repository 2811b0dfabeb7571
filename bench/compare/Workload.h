// A workload of the peer comparison: the same work prepared on the Velmora side and on
// the Lua side, each run timed on its own and each checking its own result.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace orb {
class TorbParamsList;
}

namespace compare {

// One side of a workload. Everything that is not the measured work (building the
// input, compiling, loading) happens before the first Run.
class TimedSide {
public:
  virtual ~TimedSide() = default;
  // The measured work.
  virtual void Run() = 0;
  // What is wrong with the last run's result; empty when it is right.
  virtual std::string Verify() = 0;
  // The rows the last run produced, for workloads that produce rows.
  virtual const orb::TorbParamsList* Output() const { return nullptr; }
};

// How a workload's time per op is shown: per row of the packet, or per run (per
// compile for the compile workload).
enum class TimeUnit { MicrosecondsPerRow, MillisecondsPerOp };

struct Workload {
  std::string Name;      // as printed, e.g. "fib-pascal"
  std::string PeerName;  // the python3 line of the same work, e.g. "fib"
  TimeUnit Unit;
  int OpsPerRun;  // rows of the packet, compiles per run, or 1: time per op = run time / OpsPerRun
  std::function<std::unique_ptr<TimedSide>()> MakeVelmora;
  std::function<std::unique_ptr<TimedSide>()> MakeLua;
};

}  // namespace compare
