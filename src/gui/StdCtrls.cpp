#include "gui/StdCtrls.h"

#include <algorithm>

#include "gui/Forms.h"
#include "gui/GuiErrors.h"
#include "gui/GuiTexts.h"
#include "gui/Published.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {
    &TLabel::StaticClassInfo(),      &TButtonControl::StaticClassInfo(), &TButton::StaticClassInfo(),
    &TCheckBox::StaticClassInfo(),   &TRadioButton::StaticClassInfo(),   &TGroupBox::StaticClassInfo(),
    &TCustomEdit::StaticClassInfo(), &TEdit::StaticClassInfo(),          &TMemo::StaticClassInfo(),
    &TCustomComboBox::StaticClassInfo(), &TComboBox::StaticClassInfo(),  &TCustomListBox::StaticClassInfo(),
    &TListBox::StaticClassInfo()};

std::vector<std::string> ItemTexts(const rtl::TStrings& items) {
  std::vector<std::string> out;
  for (int i = 0; i < items.Count(); ++i) out.push_back(items.Get(i).str());
  return out;
}
}  // namespace

const TEnumInfo& AlignmentTypeInfo() {
  static const TEnumInfo info{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
  return info;
}
const TEnumInfo& TextLayoutTypeInfo() {
  static const TEnumInfo info{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};
  return info;
}
const TEnumInfo& ScrollStyleTypeInfo() {
  static const TEnumInfo info{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
  return info;
}
const TEnumInfo& ComboBoxStyleTypeInfo() {
  static const TEnumInfo info{"TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
  return info;
}
const TEnumInfo& CheckBoxStateTypeInfo() {
  static const TEnumInfo info{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
  return info;
}

// ---- TLabel

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TLabel> b("TLabel", &TGraphicControl::StaticClassInfo());
    PublishAppearance(b);
    PublishCaption(b);
    b.Enum("Alignment", AlignmentTypeInfo(), &TLabel::Alignment, &TLabel::SetAlignment);
    b.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    b.Enum("Layout", TextLayoutTypeInfo(), &TLabel::Layout, &TLabel::SetLayout);
    b.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    b.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
    return b;
  }();
  return info;
}

TLabel::TLabel(rtl::TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

platform::PeerStyle TLabel::PeerStyle() const {
  platform::PeerStyle s;
  s.Alignment = FAlignment == taRightJustify ? 1 : FAlignment == taCenter ? 2 : 0;
  s.CentreVertically = FLayout == tlCenter;
  s.WordWrap = FWordWrap && !(FLayout == tlCenter && FitsOnOneLine());
  return s;
}

bool TLabel::FitsOnOneLine() const {
  const rtl::AnsiString text = Text();
  if (text.view().find_first_of("\r\n") != std::string_view::npos) return false;
  auto surface = platform::CreateMemoryCanvas(1, 1);
  return surface->TextExtent(text.IsEmpty() ? std::string(" ") : text.str(), Font()->Face()).Width <= Width();
}

void TLabel::TextChanged() {
  AdjustSize();
  if (FWordWrap && FLayout == tlCenter) StyleChanged();
}

void TLabel::Resize() {
  TGraphicControl::Resize();
  if (FWordWrap && FLayout == tlCenter) StyleChanged();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!FAutoSize || FWordWrap || HasState(rtl::csLoading)) return;
  auto surface = platform::CreateMemoryCanvas(1, 1);
  const platform::TextSize size = surface->TextExtent(Text().IsEmpty() ? std::string(" ") : Text().str(), Font()->Face());
  SetBounds(Left(), Top(), Text().IsEmpty() ? Width() : size.Width, size.Height);
}

void TLabel::Paint(TCanvas& canvas) {
  if (!FTransparent) canvas.FillRect({0, 0, Width(), Height()});
  canvas.Brush()->SetStyle(bsClear);
  const int w = canvas.TextWidth(Text()), h = canvas.TextHeight(Text());
  const int x = FAlignment == taRightJustify ? Width() - w : FAlignment == taCenter ? (Width() - w) / 2 : 0;
  const int y = FLayout == tlBottom ? Height() - h : FLayout == tlCenter ? (Height() - h) / 2 : 0;
  canvas.TextOut(x, y, Text());
}

// ---- TButtonControl, TButton

const TClassInfo& TButtonControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TButtonControl>("TButtonControl", &TWinControl::StaticClassInfo()).Abstract();
  return info;
}

TButtonControl::TButtonControl(rtl::TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TButton> b("TButton", &TButtonControl::StaticClassInfo());
    PublishAppearance(b);
    PublishCaption(b);
    b.Property("Cancel", &TButton::Cancel, &TButton::SetCancel);
    b.Property("Default", &TButton::Default, &TButton::SetDefault);
    b.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).TypeName("TModalResult");
    return b;
  }();
  return info;
}

TButton::TButton(rtl::TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

platform::PeerStyle TButton::PeerStyle() const {
  platform::PeerStyle s;
  s.DefaultButton = FDefault;
  return s;
}

bool TButton::WantsKey(std::uint16_t key, TShiftState) const { return key != VK_TAB && key != VK_ESCAPE && key != VK_RETURN; }

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

// ---- TCheckBox, TRadioButton

const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TCheckBox> b("TCheckBox", &TButtonControl::StaticClassInfo());
    PublishAppearance(b);
    PublishCaption(b);
    b.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
    b.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
    b.Enum("State", CheckBoxStateTypeInfo(), &TCheckBox::State, &TCheckBox::SetState);
    return b;
  }();
  return info;
}

TCheckBox::TCheckBox(rtl::TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

TCheckBoxState TCheckBox::State() const { return FPeer ? static_cast<TCheckBoxState>(FPeer->Checked()) : FState; }

void TCheckBox::SetState(TCheckBoxState v) {
  if (v == State()) return;
  FState = v;
  if (FPeer) FPeer->SetChecked(v);
  Click();
}

void TCheckBox::PeerCreated() {
  TButtonControl::PeerCreated();
  FPeer->SetChecked(FState);
}

void TCheckBox::PeerClicked() {
  // The user toggles: unchecked, checked, and grayed when allowed.
  const TCheckBoxState next = FState == cbUnchecked ? cbChecked : (FState == cbChecked && FAllowGrayed) ? cbGrayed : cbUnchecked;
  FState = next;
  if (FPeer) FPeer->SetChecked(next);
  Click();
}

const TClassInfo& TRadioButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TRadioButton> b("TRadioButton", &TButtonControl::StaticClassInfo());
    PublishAppearance(b);
    PublishCaption(b);
    b.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
    return b;
  }();
  return info;
}

TRadioButton::TRadioButton(rtl::TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool v) {
  if (v == FChecked) return;
  FChecked = v;
  if (FPeer) FPeer->SetChecked(v ? 1 : 0);
  if (v) {
    if (Parent())
      for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); r && r != this) r->SetChecked(false);
    Click();
  }
}

void TRadioButton::PeerCreated() {
  TButtonControl::PeerCreated();
  FPeer->SetChecked(FChecked ? 1 : 0);
}

void TRadioButton::PeerClicked() { SetChecked(true); }

// ---- TGroupBox

const TClassInfo& TGroupBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TGroupBox> b("TGroupBox", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    PublishCaption(b);
    return b;
  }();
  return info;
}

TGroupBox::TGroupBox(rtl::TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 105); }

TRect TGroupBox::AlignRect() const {
  TRect r = TWinControl::AlignRect();
  // The caption's line takes the height of the font's cell.
  auto surface = platform::CreateMemoryCanvas(1, 1);
  r.Top += surface->TextExtent("0", Font()->Face()).Height;
  r.Left += 2, r.Right -= 2, r.Bottom -= 2;
  return r;
}

// ---- TCustomEdit, TEdit, TMemo

const TClassInfo& TCustomEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TCustomEdit> b("TCustomEdit", &TWinControl::StaticClassInfo());
    b.Abstract();
    PublishAppearance(b);
    b.Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
    b.Event("OnChange", "TNotifyEvent", &TCustomEdit::OnChange, &TCustomEdit::SetOnChange);
    return b;
  }();
  return info;
}

TCustomEdit::TCustomEdit(rtl::TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

platform::PeerStyle TCustomEdit::PeerStyle() const {
  platform::PeerStyle s;
  s.ClientEdge = true;
  s.ReadOnly = FReadOnly;
  return s;
}

void TCustomEdit::Change() {
  if (FOnChange) FOnChange(this);
}

const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TEdit> b("TEdit", &TCustomEdit::StaticClassInfo());
    PublishText(b);
    return b;
  }();
  return info;
}

TEdit::TEdit(rtl::TComponent* owner) : TCustomEdit(owner) {}

const TClassInfo& TMemo::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TMemo> b("TMemo", &TCustomEdit::StaticClassInfo());
    b.Property("Lines", &TMemo::Lines, &TMemo::SetLines);
    b.Enum("ScrollBars", ScrollStyleTypeInfo(), &TMemo::ScrollBars, &TMemo::SetScrollBars);
    b.Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
    b.Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
    b.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
    return b;
  }();
  return info;
}

TMemo::TMemo(rtl::TComponent* owner) : TCustomEdit(owner), FLines(rtl::CreateObject<rtl::TStringList>()) {
  SetBounds(0, 0, 185, 89);
  FLines->SetOnChange([this](rtl::TObject*) {
    if (FSyncing) return;
    FSyncing = true;
    try {
      SetText(FLines->Text());
    } catch (...) {
      FSyncing = false;
      throw;
    }
    FSyncing = false;
  });
}

TMemo::~TMemo() { rtl::FreeObject(FLines); }

rtl::TStrings* TMemo::Lines() const { return FLines; }

platform::PeerStyle TMemo::PeerStyle() const {
  platform::PeerStyle s = TCustomEdit::PeerStyle();
  s.WordWrap = FWordWrap;
  s.VScroll = FScrollBars == ssVertical || FScrollBars == ssBoth;
  return s;
}

bool TMemo::WantsKey(std::uint16_t key, TShiftState) const {
  if (key == VK_RETURN) return FWantReturns;
  if (key == VK_TAB) return FWantTabs;
  return key != VK_ESCAPE;
}

void TMemo::Change() {
  if (!FSyncing) {
    // The user typed: the lines follow the window's text.
    FSyncing = true;
    try {
      FLines->SetText(Text().view());
    } catch (...) {
      FSyncing = false;
      throw;
    }
    FSyncing = false;
  }
  TCustomEdit::Change();
}

// ---- TCustomComboBox

const TClassInfo& TCustomComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TCustomComboBox> b("TCustomComboBox", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    PublishText(b);
    b.Property("DroppedDown", &TCustomComboBox::DroppedDown, &TCustomComboBox::SetDroppedDown);
    b.Property("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex);
    b.Property("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
    b.Enum("Style", ComboBoxStyleTypeInfo(), &TCustomComboBox::Style, &TCustomComboBox::SetStyle);
    b.Event("OnChange", "TNotifyEvent", &TCustomComboBox::OnChange, &TCustomComboBox::SetOnChange);
    b.Event("OnCloseUp", "TNotifyEvent", &TCustomComboBox::OnCloseUp, &TCustomComboBox::SetOnCloseUp);
    b.Event("OnDropDown", "TNotifyEvent", &TCustomComboBox::OnDropDown, &TCustomComboBox::SetOnDropDown);
    return b;
  }();
  return info;
}

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TComboBox>("TComboBox", &TCustomComboBox::StaticClassInfo());
  return info;
}

TCustomComboBox::TCustomComboBox(rtl::TComponent* owner)
    : TWinControl(owner), FItems(rtl::CreateObject<rtl::TStringList>()) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
  FItems->SetOnChange([this](rtl::TObject*) { ItemsChanged(); });
}

TCustomComboBox::~TCustomComboBox() { rtl::FreeObject(FItems); }

void TCustomComboBox::SetDroppedDown(bool dropped) {
  if (!FPeer || dropped == DroppedDown()) return;
  if (dropped && FOnDropDown) FOnDropDown(this);
  FPeer->SetDroppedDown(dropped);
  if (!dropped && FOnCloseUp) FOnCloseUp(this);
}

platform::PeerClass TCustomComboBox::PeerKind() const {
  return FStyle == csDropDownList ? platform::PeerClass::ComboList : platform::PeerClass::ComboBox;
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  if (FPeer) {
    // Another system class: the window is made again.
    DestroyPeer();
    if (Parent() && Parent()->HandleAllocated()) CreatePeer();
  }
}

void TCustomComboBox::ItemsChanged() {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FPeer) {
    FPeer->SetItems(ItemTexts(*FItems));
    FPeer->SetItemIndex(FItemIndex);
  }
}

int TCustomComboBox::ItemIndex() const { return FPeer ? FPeer->ItemIndex() : FItemIndex; }

void TCustomComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= FItems->Count()) index = -1;
  FItemIndex = index;
  if (FPeer) {
    FPeer->SetItemIndex(index);
    if (index >= 0) FPeer->SetText(FItems->Get(index).str());
  }
}

rtl::AnsiString TCustomComboBox::Text() const {
  if (FStyle == csDropDownList) {
    const int i = ItemIndex();
    return i >= 0 ? FItems->Get(i) : rtl::AnsiString();
  }
  return TWinControl::Text();
}

void TCustomComboBox::PeerCreated() {
  TWinControl::PeerCreated();
  FPeer->SetItems(ItemTexts(*FItems));
  FPeer->SetItemIndex(FItemIndex);
}

void TCustomComboBox::PeerChanged() {
  FItemIndex = FPeer ? FPeer->ItemIndex() : FItemIndex;
  if (FOnChange) FOnChange(this);
}

bool TCustomComboBox::WantsKey(std::uint16_t key, TShiftState) const {
  return key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE;
}

// ---- TCustomListBox

const TClassInfo& TCustomListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TCustomListBox> b("TCustomListBox", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex);
    b.Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
    b.Property("SelCount", &TCustomListBox::SelCount);
    return b;
  }();
  return info;
}

const TClassInfo& TListBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TListBox>("TListBox", &TCustomListBox::StaticClassInfo());
  return info;
}

TCustomListBox::TCustomListBox(rtl::TComponent* owner) : TCustomListBox(owner, rtl::CreateObject<rtl::TStringList>()) {}

TCustomListBox::TCustomListBox(rtl::TComponent* owner, rtl::TStringList* items) : TWinControl(owner), FItems(items) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
  FItems->SetOnChange([this](rtl::TObject*) { ItemsChanged(); });
}

TCustomListBox::~TCustomListBox() { rtl::FreeObject(FItems); }

void TCustomListBox::ItemsChanged() {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FPeer) {
    FPeer->SetItems(ItemTexts(*FItems));
    FPeer->SetItemIndex(FItemIndex);
  }
}

int TCustomListBox::ItemIndex() const { return FPeer ? FPeer->ItemIndex() : FItemIndex; }

void TCustomListBox::SetItemIndex(int index) {
  if (index < -1 || index >= FItems->Count()) index = -1;
  FItemIndex = index;
  if (FPeer) FPeer->SetItemIndex(index);
}

bool TCustomListBox::Selected(int index) const {
  if (index < 0 || index >= FItems->Count()) throw rtl::EListError(Format(texts::ListIndexError, index));
  return index == ItemIndex();
}

void TCustomListBox::SetSelected(int index, bool value) {
  if (index < 0 || index >= FItems->Count()) throw rtl::EListError(Format(texts::ListIndexError, index));
  if (value) SetItemIndex(index);
  else if (ItemIndex() == index) SetItemIndex(-1);
}

void TCustomListBox::PeerCreated() {
  TWinControl::PeerCreated();
  FPeer->SetItems(ItemTexts(*FItems));
  FPeer->SetItemIndex(FItemIndex);
}

void TCustomListBox::PeerChanged() {
  FItemIndex = FPeer ? FPeer->ItemIndex() : FItemIndex;
  Click();
}

}  // namespace gui
