#include "rtl/Component.h"

#include <algorithm>
#include <exception>

#include "rtl/ObjectLinks.h"

namespace rtl {

namespace {

[[maybe_unused]] const TClassInfo& kRegistered = TComponent::StaticClassInfo();

// Owned components, an object kept in the tag, and the owner.
const TObjectLinksRegistration kLinks(TComponent::StaticClassInfo(), [](const TObject& object, TObjectLinks& links) {
  const auto& c = static_cast<const TComponent&>(object);
  for (int i = 0; i < c.ComponentCount(); ++i) links.Holds(c.Components(i), true);
  if (c.Tag()) links.HoldsAddress(reinterpret_cast<const void*>(c.Tag()), false);
  if (c.Owner()) links.HeldBy(c.Owner());
});

char AsciiUpper(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameText(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

}  // namespace

bool IsValidIdent(std::string_view name) noexcept {
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (name.empty() || !alpha(name[0])) return false;
  for (char c : name.substr(1))
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClassInfo())
                                     .Property("Name", &TComponent::Name, &TComponent::SetName)
                                     .Property("Tag", &TComponent::Tag, &TComponent::SetTag);
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Erase(other->FFreeNotifies, this);
    try {
      other->Notification(this, opRemove);
    } catch (...) {
    }
  }
  try {
    DestroyComponents();
  } catch (...) {
    // Every component is gone; a failing destruction step cannot leave a destructor.
  }
  if (FOwner) {
    try {
      FOwner->RemoveComponent(this);
    } catch (...) {
      if (FOwner) FOwner->Remove(this);
    }
  }
}

void TComponent::BeforeDestruction() {
  if (!HasState(csDestroying)) Destroying();
}

void TComponent::Destroying() {
  if (HasState(csDestroying)) return;
  SetComponentState(csDestroying, true);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::SetName(const AnsiString& name) {
  if (FName == name) return;
  if (!name.IsEmpty() && !IsValidIdent(name.view()))
    throw EComponentError("'" + name.str() + "' is not a valid component name");
  if (FOwner)
    FOwner->ValidateRename(this, FName.view(), name.view());
  else
    ValidateRename(nullptr, FName.view(), name.view());
  FName = name;
}

void TComponent::ValidateRename(TComponent* component, std::string_view curName, std::string_view newName) {
  if (component && !SameText(curName, newName) && component->FOwner == this && FindComponent(newName))
    throw EComponentError("A component named " + std::string(newName) + " already exists");
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) TList::Error("List index out of bounds (%d)", index);
  return FComponents[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName.view(), name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->FOwner == this) return;
  // An owner cycle would free its members twice.
  for (const TComponent* o = this; o; o = o->FOwner)
    if (o == component) throw EComponentError("A component cannot own itself or its owners");
  if (!component->FName.IsEmpty() && FindComponent(component->FName.view()))
    throw EComponentError("A component named " + component->FName.str() + " already exists");
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  Insert(component);
  if (HasState(csDesigning)) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->FOwner != this) return;
  Notification(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  FComponents.push_back(component);
  component->FOwner = this;
  // Components made while the owner sets up its published values take part in that
  // set-up and are told Loaded with it.
  if (HasState(csLoading)) component->SetComponentState(csLoading, true);
}

void TComponent::Remove(TComponent* component) {
  Erase(FComponents, component);
  component->FOwner = nullptr;
}

bool TComponent::InUse() const noexcept {
  if (TPersistent::InUse()) return true;
  for (const TComponent* c : FComponents)
    if (c->InUse()) return true;
  return false;
}

void TComponent::DestroyComponents() {
  std::exception_ptr first;
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    Remove(c);
    try {
      FreeObject(c);
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (FOwner && component->FOwner == FOwner) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) != FFreeNotifies.end()) return;
  FFreeNotifies.push_back(component);
  component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) { RemoveNotify(component); }

void TComponent::RemoveNotify(TComponent* component) {
  if (!component) return;
  Erase(FFreeNotifies, component);
  Erase(component->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveNotify(component);
  // From the end, coping with components that leave the list meanwhile.
  for (int i = ComponentCount() - 1; i >= 0; --i) {
    if (i >= ComponentCount()) i = ComponentCount() - 1;
    if (i < 0) break;
    FComponents[static_cast<std::size_t>(i)]->Notification(component, operation);
  }
}

void TComponent::SetDesigning(bool value) {
  SetComponentState(csDesigning, value);
  for (TComponent* c : FComponents) c->SetDesigning(value);
}

void TComponent::Loaded() { SetComponentState(csLoading, false); }

}  // namespace rtl
