#include "gui/Menus.h"

#include <algorithm>

#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/GuiErrors.h"
#include "gui/GuiTexts.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TMenuItem::StaticClassInfo(), &TPopupMenu::StaticClassInfo()};
}

const TClassInfo& TMenuItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMenuItem>("TMenuItem", &rtl::TComponent::StaticClassInfo())
                                     .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption).TypeName("TCaption")
                                     .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
                                     .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
                                     .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
                                     .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
                                     .Event("OnClick", "TNotifyEvent", &TMenuItem::OnClick, &TMenuItem::SetOnClick);
  return info;
}

TMenuItem::TMenuItem(rtl::TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  // Items without an owner belong to their parent item.
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    FItems.pop_back();
    item->FParent = nullptr;
    if (!item->Owner()) rtl::FreeObject(item);
  }
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw rtl::EListError(Format(texts::ListIndexError, index));
  return FItems[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
  if (!item) return;
  if (item->FParent) item->FParent->Remove(item);
  FItems.push_back(item);
  item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
}

void TMenuItem::Click() {
  if (FEnabled && FOnClick) FOnClick(this);
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPopupMenu>("TPopupMenu", &rtl::TComponent::StaticClassInfo())
                                     .Property("Items", &TPopupMenu::Items)
                                     .Event("OnPopup", "TNotifyEvent", &TPopupMenu::OnPopup, &TPopupMenu::SetOnPopup);
  return info;
}

TPopupMenu::TPopupMenu(rtl::TComponent* owner) : TComponent(owner), FItems(rtl::CreateObject<TMenuItem>()) {}

TPopupMenu::~TPopupMenu() { rtl::FreeObject(FItems); }

void TPopupMenu::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == rtl::opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  if (FOnPopup) FOnPopup(this);
  std::vector<TMenuItem*> shown;
  std::vector<std::string> texts;
  std::vector<bool> enabled;
  for (int i = 0; i < FItems->Count(); ++i) {
    TMenuItem* item = FItems->Items(i);
    if (!item->Visible()) continue;
    shown.push_back(item);
    texts.push_back(item->Caption().str());
    enabled.push_back(item->Enabled());
  }
  if (shown.empty()) return;
  auto* control = dynamic_cast<TControl*>(FPopupComponent);
  platform::WindowPeer* owner = control ? control->Peer() : nullptr;
  int chosen = -2;
  if (owner) chosen = platform::ShowPopupMenu(*owner, texts, enabled, x, y);
  if (chosen == -2) {
    // No display: the responder picks.
    chosen = -1;
    if (TResponder* r = Responder(); r && r->PopupMenu)
      if (TMenuItem* item = r->PopupMenu(*this))
        chosen = static_cast<int>(std::find(shown.begin(), shown.end(), item) - shown.begin());
  }
  if (chosen >= 0 && chosen < static_cast<int>(shown.size()) && !shown[static_cast<std::size_t>(chosen)]->IsLine())
    shown[static_cast<std::size_t>(chosen)]->Click();
}

}  // namespace gui
