// Tracking of the objects a party made: objects leave their tracker however they are
// destroyed, FreeAll frees each living one once, and collections let their items go.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "rtl/Collection.h"
#include "rtl/Component.h"
#include "rtl/Exceptions.h"
#include "rtl/ObjectList.h"
#include "rtl/ObjectRun.h"
#include "rtl/ObjectTracker.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"

namespace rtl {
namespace {

TEST(ObjectTracker, ObjectsLeaveTheirTrackerHoweverTheyAreDestroyed) {
  const std::size_t live = TObject::LiveCount();
  TObjectTracker tracker;
  auto* owner = CreateObject<TComponent>();
  auto* child = CreateObject<TComponent>(owner);
  auto* grandChild = CreateObject<TComponent>(child);
  auto* loose = CreateObject<TObject>();
  for (TObject* o : {static_cast<TObject*>(owner), static_cast<TObject*>(child), static_cast<TObject*>(grandChild),
                     loose})
    tracker.Track(o);
  EXPECT_EQ(tracker.Count(), 4u);
  EXPECT_TRUE(TObjectTracker::IsTracked(grandChild));
  // The owner takes its components with it; the tracker learns of all three.
  FreeObject(owner);
  EXPECT_EQ(tracker.Count(), 1u);
  EXPECT_TRUE(tracker.Tracks(loose));
  tracker.FreeAll();
  EXPECT_EQ(tracker.Count(), 0u);
  EXPECT_EQ(TObject::LiveCount(), live);
}

TEST(ObjectTracker, FreeAllFreesOwnersAndTheirComponentsOnceInAnyOrder) {
  const std::size_t live = TObject::LiveCount();
  {
    TObjectTracker tracker;
    for (int i = 0; i < 20; ++i) {
      auto* owner = CreateObject<TComponent>();
      tracker.Track(CreateObject<TComponent>(owner));
      tracker.Track(owner);
      tracker.Track(CreateObject<TComponent>(owner));
    }
    EXPECT_EQ(tracker.Count(), 60u);
  }  // the tracker's destruction frees them
  EXPECT_EQ(TObject::LiveCount(), live);
}

TEST(ObjectTracker, ReleaseAndMovingBetweenTrackers) {
  TObjectTracker first, second;
  auto object = MakeObject<TObject>();
  first.Track(object.get());
  second.Track(object.get());
  EXPECT_FALSE(first.Tracks(object.get()));
  EXPECT_TRUE(second.Tracks(object.get()));
  second.Release(object.get());
  EXPECT_FALSE(TObjectTracker::IsTracked(object.get()));
  second.FreeAll();
  EXPECT_TRUE(TObject::IsLive(object.get()));
  // Nil and dead addresses are ignored.
  first.Track(nullptr);
  int notAnObject = 0;
  first.Track(reinterpret_cast<TObject*>(&notAnObject));
  EXPECT_EQ(first.Count(), 0u);
}

// The live-object table stays exact while objects come and go in any order (its
// entries move when others leave).
TEST(ObjectTracker, LiveObjectsAreKnownExactlyThroughManyComingsAndGoings) {
  const std::size_t before = rtl::TObject::LiveCount();
  std::vector<rtl::TObject*> objects;
  for (int i = 0; i < 5000; ++i) objects.push_back(new rtl::TObject());
  std::mt19937 order(7);
  std::shuffle(objects.begin(), objects.end(), order);
  std::vector<const void*> gone;
  for (std::size_t i = 0; i < objects.size(); i += 2) {
    gone.push_back(objects[i]);
    delete objects[i];
    objects[i] = nullptr;
  }
  for (rtl::TObject* o : objects) {
    if (o) EXPECT_TRUE(rtl::TObject::IsLive(o));
  }
  std::size_t stillGone = 0;
  for (const void* g : gone) stillGone += rtl::TObject::IsLive(g) ? 0 : 1;
  EXPECT_EQ(rtl::TObject::LiveCount(), before + objects.size() - gone.size());
  EXPECT_EQ(stillGone, gone.size());  // no object was made since they went
  for (rtl::TObject* o : objects) delete o;
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

// After a failed run, its objects that nothing reaches go when swept; the rest stay, and
// so does everything made before the run.
TEST(ObjectTracker, AFailedRunsUnreachableObjectsAreFreedAndItsReachableOnesStay) {
  const std::size_t live = TObject::LiveCount();
  TObjectTracker tracker;
  auto track = [&](auto* object) {
    tracker.Track(object);
    return object;
  };
  // Before the run: a list held by a variable, a list held by nothing, a native owner.
  auto* globalList = track(CreateObject<TStringList>());
  auto* forgottenList = track(CreateObject<TObjectList>(false));
  auto nativeOwner = MakeObject<TComponent>();
  auto run = std::make_unique<TObjectRun>(tracker);
  auto* loose = track(CreateObject<TStringList>());
  auto* looseOwner = track(CreateObject<TComponent>());
  auto* looseOwned = track(CreateObject<TComponent>(looseOwner));
  auto* inVariable = track(CreateObject<TStringList>());
  auto* inLocal = track(CreateObject<TStringList>());
  auto* inGlobalList = track(CreateObject<TObject>());
  globalList->AddObject("x", inGlobalList);
  auto* inForgottenList = track(CreateObject<TObject>());
  forgottenList->Add(inForgottenList);
  auto* ownedByNative = track(CreateObject<TComponent>(nativeOwner.get()));
  // An object in a reachable component's tag; a reachable component's owner.
  auto* viaTag = track(CreateObject<TObject>());
  ownedByNative->SetTag(reinterpret_cast<std::intptr_t>(viaTag));
  auto* taggedOwner = track(CreateObject<TComponent>());
  auto* tagged = track(CreateObject<TComponent>(taggedOwner));
  globalList->AddObject("t", tagged);
  // An owning list that holds a reachable object must stay; a non-owning one need not.
  auto* owningList = track(CreateObject<TObjectList>(true));
  auto* sharedItem = track(CreateObject<TObject>());
  owningList->Add(sharedItem);
  auto* plainList = track(CreateObject<TObjectList>(false));
  plainList->Add(sharedItem);
  globalList->AddObject("s", sharedItem);
  auto* freedInRun = CreateObject<TObject>();
  tracker.Track(freedInRun);
  FreeObject(freedInRun);

  int notAnObject = 0;
  EXPECT_FALSE(run->Failed());  // fewer than a batch
  run.reset();
  // A later run that succeeds changes nothing; the sweep looks at the failed runs' objects.
  TObjectRun later(tracker);
  auto* madeLater = track(CreateObject<TObject>());
  later.FreeUnreached({inVariable, &notAnObject, nullptr, globalList}, {inLocal});
  for (const TObject* gone : std::vector<const TObject*>{loose, looseOwner, looseOwned, plainList})
    EXPECT_FALSE(TObject::IsLive(gone));
  for (const TObject* kept : std::vector<const TObject*>{globalList, forgottenList, inVariable, inLocal, inGlobalList,
                                                          inForgottenList, ownedByNative, viaTag, taggedOwner, tagged,
                                                          owningList, sharedItem, madeLater})
    EXPECT_TRUE(TObject::IsLive(kept));
  EXPECT_EQ(tracker.Count(), 13u);
  // What only a routine's local held stays a failed run's object: once the local lets
  // it go, the next sweep frees it; what the program reached is the program's now.
  later.FreeUnreached({globalList}, {});
  EXPECT_FALSE(TObject::IsLive(inLocal));
  EXPECT_TRUE(TObject::IsLive(inVariable));
  EXPECT_EQ(tracker.Count(), 12u);
  // FreeAll frees in any order: the list must not free the item a second time.
  owningList->SetOwnsObjects(false);
  tracker.FreeAll();
  nativeOwner.reset();
  EXPECT_EQ(TObject::LiveCount(), live);
}

// Only the outermost run's failure frees, and a run that succeeded hands nothing on.
// A nested run's failure hands nothing on; the outer run's does, and a batch of failed
// runs' objects makes a sweep due.
TEST(ObjectTracker, OnlyTheOutermostRunFailsAndABatchMakesASweepDue) {
  TObjectTracker tracker;
  {
    TObjectRun run(tracker);
    tracker.Track(CreateObject<TObject>());
    {
      TObjectRun nested(tracker);
      EXPECT_FALSE(nested.Failed());
      nested.FreeUnreached({}, {});
    }
    EXPECT_EQ(tracker.Count(), 1u);
    for (std::size_t i = 1; i < TObjectRun::kSweepBatch; ++i) tracker.Track(CreateObject<TObject>());
    EXPECT_TRUE(run.Failed());
  }
  TObjectRun sweep(tracker);
  sweep.FreeUnreached({}, {});
  EXPECT_EQ(tracker.Count(), 0u);
}

TEST(Collection, ItemsAreMadeOwnedAndLeaveWhenFreed) {
  const std::size_t live = TObject::LiveCount();
  auto collection = MakeObject<TCollection>();
  TCollectionItem* a = collection->Add();
  TCollectionItem* b = collection->Add();
  collection->Add();
  EXPECT_EQ(collection->Count(), 3);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(a->Collection(), collection.get());
  FreeObject(b);
  EXPECT_EQ(collection->Count(), 2);
  EXPECT_EQ(collection->Items(1)->ID(), 2);
  try {
    collection->Items(2);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    EXPECT_EQ(e.ClassName(), "EListError");
  }
  collection->Delete(0);
  EXPECT_EQ(collection->Count(), 1);
  collection.reset();
  EXPECT_EQ(TObject::LiveCount(), live);
  EXPECT_THROW(TCollection(&TComponent::StaticClassInfo()), EInvalidCast);
}

TEST(MemoryStream, PositionsBeyondTheEndAndBeforeTheStart) {
  TMemoryStream m;
  EXPECT_EQ(m.Seek(4, soBeginning), 4);
  m.WriteText("ab");
  EXPECT_EQ(m.Memory(), std::string("\0\0\0\0ab", 6));
  m.SetPosition(-3);
  char c = 'x';
  EXPECT_EQ(m.Read(&c, 1), 0);
  EXPECT_EQ(m.Write(&c, 1), 0);
  EXPECT_EQ(m.Remaining(), 0);
  m.SetSize(2);
  EXPECT_EQ(m.Size(), 2);
  EXPECT_THROW(m.Seek(0, 3), EStreamError);
  TMemoryStream copy;
  EXPECT_EQ(copy.CopyFrom(m, 0), 2);
  EXPECT_EQ(copy.Memory(), std::string("\0\0", 2));
}

}  // namespace
}  // namespace rtl
