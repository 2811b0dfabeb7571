#include "runtime/fsNotifyEvent.h"

#include "rtl/Object.h"

namespace fs {

rtl::TMethod TfsNotifyEvent::GetMethod() {
  return rtl::TMethod(rtl::TNotifyEvent([alive = AliveToken()](rtl::TObject* Sender) {
    if (TfsCustomEvent* self = *alive) static_cast<TfsNotifyEvent*>(self)->DoEvent(Sender);
  }));
}

void TfsNotifyEvent::DoEvent(rtl::TObject* Sender) {
  rtl::Variant args[1] = {rtl::ObjectToVariant(Sender)};
  CallHandler(args, 1);
}

}  // namespace fs
