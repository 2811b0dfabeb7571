// TObjectRun: one run of a party's script (a row), watched for the objects the party's
// tracker takes on meanwhile. When the run fails, FreeUnreached frees those of them
// that nothing reaches any more, so that objects a failing routine made and never got
// to free do not pile up row after row. Runs on one tracker may nest; the outermost
// one is the run.
#pragma once

#include <vector>

namespace rtl {

class TObjectTracker;

class TObjectRun {
public:
  explicit TObjectRun(TObjectTracker& tracker);
  ~TObjectRun();
  TObjectRun(const TObjectRun&) = delete;
  TObjectRun& operator=(const TObjectRun&) = delete;

  // Whether the tracker took on objects during the run (they may be gone again).
  bool Tracked() const;

  // After the run failed: frees the objects the run made that are alive, still
  // tracked, and not reachable. Reachable are
  //   - the objects at roots (the addresses the script's variables hold; addresses of
  //     no living object are passed over),
  //   - every object that an object tracked from before the run holds (the earlier
  //     objects stay in any case, and may own what they hold),
  //   - objects held by a living holder that the run did not make (an owner or a
  //     parent made by native code or an earlier run),
  //   - and, from any reachable object, what it holds (owned components, child controls
  //     and elements, list entries and their objects, collection items, an object in
  //     its tag) and what holds it (owner, parent, collection), and the run's objects
  //     that own it: freeing a holder would free the reachable object with it.
  // Links are what ObjectLinks' visitors tell. Nothing happens in a nested run, whose
  // failure its caller may still handle. Errors while freeing are swallowed.
  void FreeUnreached(const std::vector<const void*>& roots);

private:
  TObjectTracker& FTracker;
};

}  // namespace rtl
