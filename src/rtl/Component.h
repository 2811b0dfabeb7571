// TComponent: a named object in an ownership tree. An owner keeps its components in
// the order they were inserted, finds them by name ignoring case, and frees them when
// it is freed; a component that is freed leaves its owner's list. Components learn of
// insertions and removals in their owner's tree through Notification, and of the
// freeing of components they asked to be told about (FreeNotification).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "rtl/AnsiString.h"
#include "rtl/List.h"
#include "rtl/Persistent.h"

namespace rtl {

class EComponentError : public Exception {
public:
  explicit EComponentError(std::string message) : Exception(std::move(message), "EComponentError") {}
};

enum TOperation { opInsert, opRemove };

// Component state flags.
enum : std::uint32_t {
  csLoading = 0x0001,     // published values are being set up (see TDataModule)
  csDestroying = 0x0002,  // the component is being freed
  csDesigning = 0x0004,   // the component lives in a design environment
};

// Whether a text is an identifier: a letter or "_", then letters, digits or "_"
// (ASCII only), as component names must be.
bool IsValidIdent(std::string_view name) noexcept;

class TComponent : public TPersistent {
  RTL_CLASS_INFO

public:
  // The owner, when given, takes the component into its list (and frees it later).
  explicit TComponent(TComponent* owner = nullptr);
  ~TComponent() override;
  void BeforeDestruction() override;
  // Its owned components go with it, so their uses count as its own.
  bool InUse() const noexcept override;

  const AnsiString& Name() const noexcept { return FName; }
  // An empty name or an identifier that no other component of the same owner bears
  // (ignoring case); else EComponentError.
  void SetName(const AnsiString& name);
  // An integer for the user; wide enough to hold an object reference.
  std::intptr_t Tag() const noexcept { return FTag; }
  void SetTag(std::intptr_t tag) noexcept { FTag = tag; }

  TComponent* Owner() const noexcept { return FOwner; }
  int ComponentCount() const noexcept { return static_cast<int>(FComponents.size()); }
  // The owned component at an index (EListError "List index out of bounds (%d)").
  TComponent* Components(int index) const;
  // Position in the owner's list; -1 without owner.
  int ComponentIndex() const;
  // The owned component of that name (ignoring case); nullptr for none or an empty name.
  TComponent* FindComponent(std::string_view name) const;

  // Takes a component into this one's list (out of its previous owner's list first).
  void InsertComponent(TComponent* component);
  // Lets an owned component go without freeing it; components of others are ignored.
  void RemoveComponent(TComponent* component);
  // Frees every owned component, the last first.
  void DestroyComponents();
  // Marks this component and its components as being destroyed.
  void Destroying();

  // Ties two components that do not share an owner: each is told (Notification with
  // opRemove) when the other is freed. Components of one owner are told anyway.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  std::uint32_t ComponentState() const noexcept { return FComponentState; }
  bool HasState(std::uint32_t flags) const noexcept { return (FComponentState & flags) != 0; }
  // Switches design mode for this component and everything it owns.
  void SetDesigning(bool value);

  // Ends the set-up of published values: clears csLoading. Descendants override it to
  // act on their values once all are set.
  virtual void Loaded();

protected:
  // A component was inserted into or removed from this component's tree, or a
  // component this one asked about is being freed. Passes it on to every owned
  // component; descendants drop their references to a removed component here.
  virtual void Notification(TComponent* component, TOperation operation);
  // Raises EComponentError when an owned component may not be renamed to newName.
  virtual void ValidateRename(TComponent* component, std::string_view curName, std::string_view newName);
  void SetComponentState(std::uint32_t flags, bool on) noexcept {
    FComponentState = on ? (FComponentState | flags) : (FComponentState & ~flags);
  }

private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void RemoveNotify(TComponent* component);

  AnsiString FName;
  std::intptr_t FTag = 0;
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::uint32_t FComponentState = 0;
};

}  // namespace rtl
