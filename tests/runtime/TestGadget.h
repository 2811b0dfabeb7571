// Small native classes the runtime tests bind to scripts: a component with a published
// property of every kind and an event, a descendant that redeclares one of them, and
// a data module that owns gadgets.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "rtl/Component.h"
#include "rtl/DataModule.h"
#include "rtl/Object.h"

namespace fs::test {

// An event with a by-reference argument.
using TKeyEvent = std::function<void(rtl::TObject* Sender, std::int32_t& Key)>;

enum TGadgetShape : std::int32_t { gsRound, gsSquare, gsStar };

class TGadget : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit TGadget(rtl::TComponent* owner = nullptr) : TComponent(owner) {}

  void Ping() {
    if (OnPing) OnPing(this);
  }

  // Fires OnKey and returns the key as the handler left it.
  std::int32_t Press(std::int32_t key) {
    if (OnKey) OnKey(this, key);
    return key;
  }

  std::int32_t Count = 0;
  bool Enabled = false;
  TGadgetShape Shape = gsRound;
  std::uint32_t Options = 0;
  double Ratio = 0;
  rtl::AnsiString Caption;
  char Letter = 'a';
  std::u16string Title;
  rtl::Variant Data;
  std::int64_t Big = 0;
  rtl::TComponent* Link = nullptr;
  rtl::TNotifyEvent OnPing;
  TKeyEvent OnKey;
  // Set by the native initialisation (the script constructor).
  bool Initialised = false;
};

class TGadgetEx : public TGadget {
  RTL_CLASS_INFO

public:
  using TGadget::TGadget;
  std::int32_t Extra = 0;
};

class TGadgetModule : public rtl::TDataModule {
  RTL_CLASS_INFO

public:
  explicit TGadgetModule(rtl::TComponent* owner = nullptr);
};

}  // namespace fs::test
