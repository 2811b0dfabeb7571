// TfsClassesRTTI: the base classes module, the first class library. It gives scripts
// objects, persistent objects and components, lists, string lists, collections,
// streams on memory and files, and the element tree with its documents, with the
// enumerations and constants they take.
//
// Scripts own what they make: a class name read for a new instance hands the instance
// to the program that read it (see TfsScript::Objects), Free ends it, and the program
// frees what is left when it is cleared or freed. Free refuses objects that belong to
// another object and could not leave it (a document's root, for one), so a script
// cannot pull an object out from under its owner.
#pragma once

#include "runtime/fsClassLibrary.h"

namespace fs {

class TfsClassesRTTI : public TfsClassLibrary {
public:
  explicit TfsClassesRTTI(TfsScript* script);
};

}  // namespace fs
