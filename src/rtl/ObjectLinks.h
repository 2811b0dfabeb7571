// ObjectLinks: what objects hold and what holds them, for finding out which objects are
// still reachable (TObjectRun::FreeUnreached). Each class that holds objects registers a
// visitor for its own level (a component its owned components, owner and tag; a string
// list its entries' objects; a control its parent ...); an object is visited with the
// visitors of its class and of every ancestor.
#pragma once

#include "rtl/ClassInfo.h"

namespace rtl {

class TObject;

// Told about an object's links. Addresses may be stale: the receiver checks that an
// object is alive before it looks at it.
class TObjectLinks {
public:
  // The object holds target: owns it (frees it with itself) or only refers to it.
  void Holds(const TObject* target, bool owns) { HoldsAddress(target, owns); }
  // The same for an address that may be no object at all (a list's item, a tag).
  virtual void HoldsAddress(const void* target, bool owns) = 0;
  // The object is held by holder, which frees it with itself (owner, parent).
  virtual void HeldBy(const TObject* holder) = 0;

protected:
  ~TObjectLinks() = default;
};

// Tells links what an object of the registered class holds and is held by, at that
// class's level only.
using TObjectLinksVisitor = void (*)(const TObject& object, TObjectLinks& links);

// Registers the visitor of a class (once, while the program starts).
void RegisterObjectLinks(const TClassInfo& cls, TObjectLinksVisitor visitor);
// Visits an object with the visitors of its class and its ancestors.
void VisitObjectLinks(const TObject& object, TObjectLinks& links);

// Registers a visitor at start-up: a namespace-scope constant in the class's unit.
struct TObjectLinksRegistration {
  TObjectLinksRegistration(const TClassInfo& cls, TObjectLinksVisitor visitor) { RegisterObjectLinks(cls, visitor); }
};

}  // namespace rtl
