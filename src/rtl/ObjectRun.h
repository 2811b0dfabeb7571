// TObjectRun: one run of a party's script (a row), watched for the objects the party's
// tracker takes on meanwhile. When a run fails, the objects it made that are still alive
// become the tracker's failed-run objects; once enough have gathered, FreeUnreached
// frees those that nothing reaches any more, so that objects a failing routine made and
// never got to free do not pile up row after row. Runs on one tracker may nest; the
// outermost one is the run. A run and the objects it makes belong to the thread that
// runs it.
//
// The sweep waits for a batch because it looks at every object the tracker holds: done
// for each failing row it would cost a script with large global lists dearly.
#pragma once

#include <cstddef>
#include <vector>

namespace rtl {

class TObjectTracker;

class TObjectRun {
public:
  // Failed-run objects that make a sweep due (or twice what the last sweep kept).
  static constexpr std::size_t kSweepBatch = 256;

  explicit TObjectRun(TObjectTracker& tracker);
  ~TObjectRun();
  TObjectRun(const TObjectRun&) = delete;
  TObjectRun& operator=(const TObjectRun&) = delete;

  // The run failed: its living objects join the failed-run objects. True when a sweep
  // is due (always false for a nested run, whose failure its caller may still handle).
  bool Failed();

  // Frees the failed-run objects that are alive, still tracked, and not reachable.
  // Reachable are
  //   - the objects at roots (the addresses the program's variables hold) and at
  //     localRoots (those its routines' locals keep between calls); addresses of no
  //     living object are passed over;
  //   - objects that any other object of the tracker holds, reachable or not (those
  //     are not freed here, and may own what they hold), and objects that a root which
  //     the tracker does not hold (a native object) holds;
  //   - objects held by a living holder that is not a failed-run object (an owner or a
  //     parent made by native code or by a run that did not fail);
  //   - from a reachable failed-run object, the failed-run objects it holds and those
  //     that hold it (owner, parent, collection, an owning list): freeing a holder
  //     would free the reachable object with it.
  // "Holds" is what ObjectLinks' visitors tell: owned components, child controls and
  // elements, list entries and their objects, collection items, an object in a tag.
  // Objects reached only through localRoots stay failed-run objects (the local may be
  // overwritten by the next call); the other reachable ones become ordinary objects of
  // the tracker. Errors while freeing are swallowed.
  void FreeUnreached(const std::vector<const void*>& roots, const std::vector<const void*>& localRoots);

private:
  TObjectTracker& FTracker;
};

}  // namespace rtl
