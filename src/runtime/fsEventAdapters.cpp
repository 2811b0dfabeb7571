#include "runtime/fsEventAdapters.h"

#include <cstdint>

#include "gui/Controls.h"
#include "gui/Forms.h"
#include "rtl/Object.h"
#include "rtl/VariantConvert.h"

namespace fs {

using rtl::Variant;

namespace {

Variant Int(std::int64_t v) { return Variant(static_cast<std::int32_t>(v)); }
Variant Obj(rtl::TObject* o) { return rtl::ObjectToVariant(o); }

// The first character of a value's text, 0 for an empty text.
char FirstChar(const Variant& v) {
  const rtl::AnsiString text = rtl::VarToAnsiString(v);
  return text.IsEmpty() ? '\0' : text[0];
}

}  // namespace

// Each entry point holds the adapter's alive token, not the adapter: a native slot that
// outlives its script reaches nothing.

rtl::TMethod TfsMouseEvent::GetMethod() {
  return rtl::TMethod(gui::TMouseEvent(
      [alive = AliveToken()](rtl::TObject* Sender, gui::TMouseButton Button, gui::TShiftState Shift, int X, int Y) {
        auto* self = static_cast<TfsMouseEvent*>(*alive);
        if (!self) return;
        Variant args[5] = {Obj(Sender), Int(Button), Int(Shift), Int(X), Int(Y)};
        self->CallHandler(args, 5);
      }));
}

rtl::TMethod TfsMouseMoveEvent::GetMethod() {
  return rtl::TMethod(
      gui::TMouseMoveEvent([alive = AliveToken()](rtl::TObject* Sender, gui::TShiftState Shift, int X, int Y) {
        auto* self = static_cast<TfsMouseMoveEvent*>(*alive);
        if (!self) return;
        Variant args[4] = {Obj(Sender), Int(Shift), Int(X), Int(Y)};
        self->CallHandler(args, 4);
      }));
}

rtl::TMethod TfsKeyEvent::GetMethod() {
  return rtl::TMethod(
      gui::TKeyEvent([alive = AliveToken()](rtl::TObject* Sender, std::uint16_t& Key, gui::TShiftState Shift) {
        auto* self = static_cast<TfsKeyEvent*>(*alive);
        if (!self) return;
        Variant args[3] = {Obj(Sender), Int(Key), Int(Shift)};
        self->CallHandler(args, 3);
        Key = static_cast<std::uint16_t>(rtl::VarToInt32(args[1]));
      }));
}

rtl::TMethod TfsKeyPressEvent::GetMethod() {
  return rtl::TMethod(gui::TKeyPressEvent([alive = AliveToken()](rtl::TObject* Sender, char& Key) {
    auto* self = static_cast<TfsKeyPressEvent*>(*alive);
    if (!self) return;
    Variant args[2] = {Obj(Sender), Variant(rtl::AnsiString(&Key, 1))};
    self->CallHandler(args, 2);
    Key = FirstChar(args[1]);
  }));
}

rtl::TMethod TfsCloseEvent::GetMethod() {
  return rtl::TMethod(gui::TCloseEvent([alive = AliveToken()](rtl::TObject* Sender, gui::TCloseAction& Action) {
    auto* self = static_cast<TfsCloseEvent*>(*alive);
    if (!self) return;
    Variant args[2] = {Obj(Sender), Int(Action)};
    self->CallHandler(args, 2);
    // An ordinal outside the enumeration names no action the form knows: it is kept.
    const std::int32_t action = rtl::VarToInt32(args[1]);
    if (action >= gui::caNone && action <= gui::caMinimize) Action = static_cast<gui::TCloseAction>(action);
  }));
}

rtl::TMethod TfsCloseQueryEvent::GetMethod() {
  return rtl::TMethod(gui::TCloseQueryEvent([alive = AliveToken()](rtl::TObject* Sender, bool& CanClose) {
    auto* self = static_cast<TfsCloseQueryEvent*>(*alive);
    if (!self) return;
    Variant args[2] = {Obj(Sender), Variant(CanClose)};
    self->CallHandler(args, 2);
    CanClose = rtl::VarToBool(args[1]);
  }));
}

rtl::TMethod TfsCanResizeEvent::GetMethod() {
  return rtl::TMethod(gui::TCanResizeEvent(
      [alive = AliveToken()](rtl::TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize) {
        auto* self = static_cast<TfsCanResizeEvent*>(*alive);
        if (!self) return;
        Variant args[4] = {Obj(Sender), Int(NewWidth), Int(NewHeight), Variant(Resize)};
        self->CallHandler(args, 4);
        NewWidth = rtl::VarToInt32(args[1]);
        NewHeight = rtl::VarToInt32(args[2]);
        Resize = rtl::VarToBool(args[3]);
      }));
}

}  // namespace fs
