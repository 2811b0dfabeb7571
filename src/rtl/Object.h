// TObject: the root of every class that carries class info. Objects are made with
// CreateObject (construction, then the AfterConstruction step) and freed with
// FreeObject (the BeforeDestruction step, then destruction), so that classes can run
// code once the whole object exists and before any part of it is gone.
//
// An object whose methods are running (a TObjectUse marks it) cannot go at once: a
// handler that frees its form while the form's own code waits below it would leave
// that code on freed memory. FreeObject then defers the freeing until the last use of
// the object, and of everything its freeing takes along (InUse), has ended.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "rtl/ClassInfo.h"

namespace rtl {

// The plain event: the object that raises it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TObject {
public:
  TObject();
  virtual ~TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  const std::string& ClassName() const { return ClassInfo().ClassName(); }
  bool InheritsFrom(const TClassInfo& ancestor) const { return ClassInfo().InheritsFrom(ancestor); }
  template <class C>
  bool InheritsFrom() const {
    return InheritsFrom(C::StaticClassInfo());
  }

  // Runs once the object is fully constructed (CreateObject calls it).
  virtual void AfterConstruction() {}
  // Runs while the object is still whole, before it is destroyed (FreeObject calls it).
  virtual void BeforeDestruction() {}

  // Whether an address is that of a TObject that has been constructed and not yet
  // destroyed. Object references that come from scripts are checked with it before
  // they are used.
  static bool IsLive(const void* address);
  // How many objects are alive in the process (for leak checks).
  static std::size_t LiveCount();

  // Whether code is running on this object or on one that its freeing takes along
  // (owned components, child controls); such an object's freeing is deferred.
  virtual bool InUse() const noexcept { return FUses != 0; }

protected:
  // Told when a freeing is deferred because the object is in use: a form, say, hides
  // or ends its modal loop, as the one who freed it meant.
  virtual void FreeDeferred() {}

private:
  friend class TObjectTracker;
  friend class TObjectUse;
  friend void FreeObject(TObject* object);
  enum class TState : std::uint8_t { Alive, FreePending, Freeing };
  std::uint32_t FUses = 0;
  TState FState = TState::Alive;
};

// Marks an object as in use while native code runs on it (a method a script called,
// an event being raised); when the last use of anything whose freeing was deferred
// ends, it is freed there. Errors of that deferred freeing pass on from the end of the
// scope unless an exception is already passing through it. A method that destroys its
// object itself (a tree node's Delete) ends the use with it. Uses nest on their thread.
class TObjectUse {
public:
  explicit TObjectUse(TObject* object) noexcept;
  ~TObjectUse() noexcept(false);
  TObjectUse(const TObjectUse&) = delete;
  TObjectUse& operator=(const TObjectUse&) = delete;

private:
  friend class TObject;
  TObject* FObject;
  TObjectUse* FOuter = nullptr;  // the use this one is nested in, on this thread
  int FExceptions = 0;
};

// Declares the class info functions in the body of a class derived from TObject;
// the class's .cpp defines StaticClassInfo with a TClassBuilder table.
#define RTL_CLASS_INFO                                \
public:                                               \
  static const ::rtl::TClassInfo& StaticClassInfo();  \
  const ::rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

// Frees an object: BeforeDestruction, then destruction. Nil is allowed. The object
// is destroyed even when BeforeDestruction raises; the exception is passed on. An
// object in use is freed once its uses end; asking again for an object whose freeing
// is pending or under way (a handler of its own destruction) does nothing.
void FreeObject(TObject* object);

template <class T>
void FreeAndNil(T*& object) {
  T* o = object;
  object = nullptr;
  FreeObject(o);
}

// Makes an object and runs its AfterConstruction step; when that raises, the object
// is destroyed again and the exception passed on.
template <class T, class... A>
T* CreateObject(A&&... args) {
  T* object = new T(std::forward<A>(args)...);
  try {
    object->AfterConstruction();
  } catch (...) {
    delete object;
    throw;
  }
  return object;
}

struct TObjectDeleter {
  void operator()(TObject* object) const { FreeObject(object); }
};
// Sole ownership of an object, freed with FreeObject.
template <class T>
using TObjectPtr = std::unique_ptr<T, TObjectDeleter>;

template <class T, class... A>
TObjectPtr<T> MakeObject(A&&... args) {
  return TObjectPtr<T>(CreateObject<T>(std::forward<A>(args)...));
}

}  // namespace rtl
