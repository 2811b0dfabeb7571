#include "gui/StatusBar.h"

#include <algorithm>

#include "gui/GuiErrors.h"
#include "gui/GuiTexts.h"
#include "gui/Published.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TStatusPanel::StaticClassInfo(), &TStatusPanels::StaticClassInfo(),
                                                    &TStatusBar::StaticClassInfo()};
}

const TEnumInfo& StatusPanelStyleTypeInfo() {
  static const TEnumInfo info{"TStatusPanelStyle", {"psText", "psOwnerDraw"}};
  return info;
}
const TEnumInfo& StatusPanelBevelTypeInfo() {
  static const TEnumInfo info{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}};
  return info;
}

// ---- TStatusPanel

const TClassInfo& TStatusPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TStatusPanel>("TStatusPanel", &rtl::TPersistent::StaticClassInfo())
          .Abstract()
          .Enum("Alignment", AlignmentTypeInfo(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
          .Enum("Bevel", StatusPanelBevelTypeInfo(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
          .Enum("Style", StatusPanelStyleTypeInfo(), &TStatusPanel::Style, &TStatusPanel::SetStyle)
          .Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
  return info;
}

void TStatusPanel::Assign(const rtl::TPersistent* source) {
  if (const auto* p = dynamic_cast<const TStatusPanel*>(source)) {
    FText = p->FText, FWidth = p->FWidth, FAlignment = p->FAlignment, FBevel = p->FBevel, FStyle = p->FStyle;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

int TStatusPanel::Index() const {
  if (!FOwner) return -1;
  const auto& items = FOwner->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TStatusPanel::Changed() {
  if (FOwner) FOwner->Changed();
}

// ---- TStatusPanels

const TClassInfo& TStatusPanels::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TStatusPanels>("TStatusPanels", &rtl::TPersistent::StaticClassInfo()).Abstract().Property("Count", &TStatusPanels::Count);
  return info;
}

TStatusPanels::~TStatusPanels() {
  for (TStatusPanel* p : FItems) rtl::FreeObject(p);
}

void TStatusPanels::Assign(const rtl::TPersistent* source) {
  if (const auto* other = dynamic_cast<const TStatusPanels*>(source)) {
    BeginUpdate();
    Clear();
    for (const TStatusPanel* p : other->FItems) Add()->Assign(p);
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

TStatusPanel* TStatusPanels::Add() {
  auto* panel = rtl::CreateObject<TStatusPanel>(this);
  FItems.push_back(panel);
  Changed();
  return panel;
}

TStatusPanel* TStatusPanels::Items(int index) const {
  if (index < 0 || index >= Count()) throw rtl::EListError(Format(texts::ListIndexError, index));
  return FItems[static_cast<std::size_t>(index)];
}

void TStatusPanels::Delete(int index) {
  TStatusPanel* panel = Items(index);
  FItems.erase(FItems.begin() + index);
  rtl::FreeObject(panel);
  Changed();
}

void TStatusPanels::Clear() {
  for (TStatusPanel* p : FItems) rtl::FreeObject(p);
  FItems.clear();
  Changed();
}

void TStatusPanels::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0) Changed();
}

void TStatusPanels::Changed() {
  if (FUpdating == 0 && FOwner) FOwner->PanelsChanged();
}

// ---- TStatusBar

const TClassInfo& TStatusBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TStatusBar> b("TStatusBar", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
    b.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    b.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    b.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
    return b;
  }();
  return info;
}

TStatusBar::TStatusBar(rtl::TComponent* owner) : TWinControl(owner), FPanels(rtl::CreateObject<TStatusPanels>(this)) {
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
  TStatusPanels* panels = FPanels;
  FPanels = nullptr;
  rtl::FreeObject(panels);
}

platform::PeerStyle TStatusBar::PeerStyle() const {
  platform::PeerStyle s;
  s.SimplePanel = FSimplePanel;
  s.SizeGrip = FSizeGrip;
  return s;
}

void TStatusBar::SetSimplePanel(bool v) {
  FSimplePanel = v;
  StyleChanged();
  PanelsChanged();
}

void TStatusBar::SetSimpleText(const rtl::AnsiString& v) {
  FSimpleText = v;
  if (FPeer && FSimplePanel) FPeer->SetText(v.str());
}

void TStatusBar::PanelsChanged() {
  if (!FPeer || !FPanels) return;
  if (FSimplePanel) {
    FPeer->SetText(FSimpleText.str());
    return;
  }
  std::vector<platform::StatusPanelInfo> panels;
  for (int i = 0; i < FPanels->Count(); ++i) {
    const TStatusPanel* p = FPanels->Items(i);
    // The last panel takes the rest of the bar.
    panels.push_back({p->Text().str(), i + 1 == FPanels->Count() ? -1 : p->Width(), static_cast<int>(p->Alignment()),
                      static_cast<int>(p->Bevel())});
  }
  FPeer->SetPanels(panels);
}

void TStatusBar::PeerCreated() {
  TWinControl::PeerCreated();
  PanelsChanged();
}

}  // namespace gui
