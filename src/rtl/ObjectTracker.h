// TObjectTracker: the objects one party (a script) made and has not freed yet. An
// object joins with Track; it leaves by itself when it is destroyed, whoever destroys
// it (the party with Free, its owner, a list that owns it), because the object's
// destruction looks its tracker up in the table of living objects. FreeAll frees the
// ones still alive, so nothing a party forgot outlives it.
//
// Cost per tracked object: one entry in the tracker's hash set (a node of about three
// pointers) and the tracker pointer kept with the object's entry in the table of
// living objects; joining and leaving are one hash insertion and one erasure under the
// table's lock, which every object's construction and destruction take anyway.
#pragma once

#include <atomic>
#include <cstddef>
#include <thread>
#include <unordered_set>
#include <vector>

namespace rtl {

class TObject;

class TObjectTracker {
public:
  TObjectTracker() = default;
  // Frees what is still tracked.
  ~TObjectTracker();
  TObjectTracker(const TObjectTracker&) = delete;
  TObjectTracker& operator=(const TObjectTracker&) = delete;

  // Tracks a living object; an object tracked elsewhere moves here. Nil and objects
  // that are not alive are ignored.
  void Track(TObject* object);
  // Stops tracking without freeing (the object stays alive).
  void Release(TObject* object);
  // Whether this tracker holds the object.
  bool Tracks(const TObject* object) const;
  std::size_t Count() const;
  // Frees every tracked object that is still alive, one by one, so objects freed by
  // others on the way (components with their owner) are not freed twice. Errors while
  // freeing are swallowed: the rest are freed all the same.
  void FreeAll();

  // Whether any tracker holds the object.
  static bool IsTracked(const TObject* object);

private:
  friend class TObject;
  friend class TObjectRun;
  std::unordered_set<TObject*> FObjects;  // guarded by the table of living objects' lock
  // The run going on (TObjectRun): the thread it runs on and how deeply its runs nest,
  // written by that thread only (the thread first, then the depth, so that a thread
  // that sees the depth sees the thread), and the objects taken on meanwhile (some may
  // be gone again), touched by the run's thread only, so a run costs no lock. They stay
  // with the tracker rather than the thread, as a thread's own storage with a
  // destructor is not torn down safely on every runtime; the buffer stays between runs,
  // so that a run per row costs no allocation.
  std::atomic<std::thread::id> FRunThread{};
  std::atomic<int> FRunDepth{0};
  std::vector<TObject*> FRunObjects;
};

}  // namespace rtl
