// TfsCustomEvent: the base of event adapters, the objects that connect a native event
// slot to a script procedure. Assigning a procedure's name to an event of a registered
// class creates an adapter for the object and the procedure; the adapter's entry point
// (GetMethod) goes into the object's event slot. When the object fires the event the
// adapter passes the native arguments to the procedure as variants, runs it, and copies
// the by-reference parameters back. Adapters are kept in the table of the script that
// assigned them; an object that fires after its adapter is gone reaches nothing.
#pragma once

#include <memory>

#include "engine/fsItemList.h"
#include "rtl/ClassInfo.h"
#include "rtl/Variant.h"

namespace fs {

class TfsProcVariable;

class TfsCustomEvent : public TfsObject {
public:
  TfsCustomEvent(rtl::TObject* instance, TfsProcVariable* handler);
  ~TfsCustomEvent() override;

  rtl::TObject* Instance() const noexcept { return FInstance; }
  TfsProcVariable* Handler() const noexcept { return FHandler; }

  // The native entry point: a handler of the event slot's type.
  virtual rtl::TMethod GetMethod() = 0;
  // The parameters the procedure must declare: how many, and which by reference.
  virtual int ArgumentCount() const = 0;
  virtual bool IsVarArgument(int index) const;

  // Raises when the procedure's parameters do not fit the event.
  void CheckHandler() const;

protected:
  // Stores count arguments in the procedure's parameters, runs it (saving and restoring
  // its locals when it is already running), then reads the by-reference parameters
  // back into args.
  void CallHandler(rtl::Variant* args, int count);

  // Shared with the entry points: points at the adapter while it lives, then at
  // nothing, so that an entry point left in a native slot does nothing.
  using TAliveToken = std::shared_ptr<TfsCustomEvent*>;
  const TAliveToken& AliveToken() const noexcept { return FAlive; }

private:
  rtl::TObject* FInstance;
  TfsProcVariable* FHandler;
  TAliveToken FAlive;
};

// An adapter class: makes an adapter for (object, procedure).
using TfsCustomEventClass = TfsCustomEvent* (*)(rtl::TObject* Instance, TfsProcVariable* Handler);

template <class T>
TfsCustomEvent* NewEventAdapter(rtl::TObject* instance, TfsProcVariable* handler) {
  return new T(instance, handler);
}

// The adapter class of T, for DeclareEvent.
template <class T>
constexpr TfsCustomEventClass EventClassOf() {
  return &NewEventAdapter<T>;
}

}  // namespace fs
