// TfsNotifyEvent: the adapter of the plain notification event (Sender): the script
// procedure receives the sender as an object reference.
#pragma once

#include "runtime/fsCustomEvent.h"

namespace fs {

class TfsNotifyEvent : public TfsCustomEvent {
public:
  using TfsCustomEvent::TfsCustomEvent;

  rtl::TMethod GetMethod() override;
  int ArgumentCount() const override { return 1; }

private:
  void DoEvent(rtl::TObject* Sender);
};

}  // namespace fs
