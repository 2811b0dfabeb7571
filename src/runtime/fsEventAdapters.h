// The event adapters of the toolkit's mouse, key, close and resize events. Each passes
// the native event's arguments to the script procedure in the event's own order (the
// sender as an object, buttons, shift states and close actions as their integer
// ordinals or bit sets, a typed character as a one-character string) and, after the
// procedure returns, copies the parameters the event passes by reference back into the
// native arguments, so that a handler can change the key a control receives, refuse a
// close or limit a new size. A handler must declare exactly these parameters (by
// reference where the event takes a value back); assigning one that does not fit
// raises at once.
#pragma once

#include "runtime/fsCustomEvent.h"

namespace fs {

// (Sender, Button, Shift, X, Y)
class TfsMouseEvent : public TfsCustomEvent {
public:
  using TfsCustomEvent::TfsCustomEvent;
  rtl::TMethod GetMethod() override;
  int ArgumentCount() const override { return 5; }
};

// (Sender, Shift, X, Y)
class TfsMouseMoveEvent : public TfsCustomEvent {
public:
  using TfsCustomEvent::TfsCustomEvent;
  rtl::TMethod GetMethod() override;
  int ArgumentCount() const override { return 4; }
};

// (Sender, var Key, Shift): Key is the virtual key code.
class TfsKeyEvent : public TfsCustomEvent {
public:
  using TfsCustomEvent::TfsCustomEvent;
  rtl::TMethod GetMethod() override;
  int ArgumentCount() const override { return 3; }
  bool IsVarArgument(int index) const override { return index == 1; }
};

// (Sender, var Key): Key is the typed character; an empty text gives character 0.
class TfsKeyPressEvent : public TfsCustomEvent {
public:
  using TfsCustomEvent::TfsCustomEvent;
  rtl::TMethod GetMethod() override;
  int ArgumentCount() const override { return 2; }
  bool IsVarArgument(int index) const override { return index == 1; }
};

// (Sender, var Action): Action is the ordinal of the close action.
class TfsCloseEvent : public TfsCustomEvent {
public:
  using TfsCustomEvent::TfsCustomEvent;
  rtl::TMethod GetMethod() override;
  int ArgumentCount() const override { return 2; }
  bool IsVarArgument(int index) const override { return index == 1; }
};

// (Sender, var CanClose)
class TfsCloseQueryEvent : public TfsCustomEvent {
public:
  using TfsCustomEvent::TfsCustomEvent;
  rtl::TMethod GetMethod() override;
  int ArgumentCount() const override { return 2; }
  bool IsVarArgument(int index) const override { return index == 1; }
};

// (Sender, var NewWidth, var NewHeight, var Resize)
class TfsCanResizeEvent : public TfsCustomEvent {
public:
  using TfsCustomEvent::TfsCustomEvent;
  rtl::TMethod GetMethod() override;
  int ArgumentCount() const override { return 4; }
  bool IsVarArgument(int index) const override { return index >= 1; }
};

}  // namespace fs
