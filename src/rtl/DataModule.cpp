#include "rtl/DataModule.h"

#include <vector>

namespace rtl {

namespace {
[[maybe_unused]] const TClassInfo& kRegistered = TDataModule::StaticClassInfo();
}

const TClassInfo& TDataModule::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TDataModule>("TDataModule", &TComponent::StaticClassInfo())
                                     .Event("OnCreate", "TNotifyEvent", &TDataModule::OnCreate, &TDataModule::SetOnCreate)
                                     .Event("OnDestroy", "TNotifyEvent", &TDataModule::OnDestroy, &TDataModule::SetOnDestroy);
  return info;
}

void TDataModule::AfterConstruction() {
  TComponent::AfterConstruction();
  SetComponentState(csLoading, true);
  InitializeForm();
  // The module first, then its components in their order, as a form load does.
  std::vector<TComponent*> loading{this};
  for (int i = 0; i < ComponentCount(); ++i)
    if (Components(i)->HasState(csLoading)) loading.push_back(Components(i));
  for (TComponent* c : loading) c->Loaded();
  DoCreate();
}

void TDataModule::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (!FDestroyRaised) {
    FDestroyRaised = true;
    DoDestroy();
  }
}

void TDataModule::DoCreate() {
  if (FOnCreate) FOnCreate(this);
}

void TDataModule::DoDestroy() {
  if (FOnDestroy) FOnDestroy(this);
}

}  // namespace rtl
