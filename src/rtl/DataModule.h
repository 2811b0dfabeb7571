// TDataModule: a component that holds other components and is set up like a form.
// Its creation step (AfterConstruction, run by CreateObject) marks it as loading,
// lets InitializeForm set its published values and create its components in code
// (that is its form resource), tells Loaded to itself and to every component that
// took part, and then raises OnCreate. FreeObject raises OnDestroy while the module
// is still whole.
#pragma once

#include "rtl/Component.h"

namespace rtl {

class TDataModule : public TComponent {
  RTL_CLASS_INFO

public:
  explicit TDataModule(TComponent* owner = nullptr) : TComponent(owner) {}

  void AfterConstruction() override;
  void BeforeDestruction() override;

  const TNotifyEvent& OnCreate() const noexcept { return FOnCreate; }
  void SetOnCreate(TNotifyEvent handler) { FOnCreate = std::move(handler); }
  const TNotifyEvent& OnDestroy() const noexcept { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent handler) { FOnDestroy = std::move(handler); }

protected:
  // The form: sets the module's published values (event handlers included) and
  // creates its components, owned by the module.
  virtual void InitializeForm() {}
  virtual void DoCreate();
  virtual void DoDestroy();

private:
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDestroy;
  bool FDestroyRaised = false;
};

}  // namespace rtl
