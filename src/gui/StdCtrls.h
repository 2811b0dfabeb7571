// The standard controls, each shown by the system's own control class: labels,
// buttons, edits, memos, check boxes, radio buttons, group boxes, combo boxes and
// list boxes.
#pragma once

#include "gui/Controls.h"
#include "rtl/StringList.h"

namespace gui {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
const rtl::TEnumInfo& AlignmentTypeInfo();
enum TTextLayout { tlTop, tlCenter, tlBottom };
const rtl::TEnumInfo& TextLayoutTypeInfo();
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const rtl::TEnumInfo& ScrollStyleTypeInfo();
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
const rtl::TEnumInfo& ComboBoxStyleTypeInfo();
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const rtl::TEnumInfo& CheckBoxStateTypeInfo();

class TLabel : public TGraphicControl {
  RTL_CLASS_INFO

public:
  explicit TLabel(rtl::TComponent* owner = nullptr);
  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& v) { SetText(v); }
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment v) { FAlignment = v; StyleChanged(); }
  TTextLayout Layout() const noexcept { return FLayout; }
  void SetLayout(TTextLayout v) { FLayout = v; StyleChanged(); }
  bool WordWrap() const noexcept { return FWordWrap; }
  void SetWordWrap(bool v) { FWordWrap = v; StyleChanged(); AdjustSize(); }
  // Sizes the label to its text (one line) while set.
  bool AutoSize() const noexcept { return FAutoSize; }
  void SetAutoSize(bool v) { FAutoSize = v; AdjustSize(); }
  bool Transparent() const noexcept { return FTransparent; }
  void SetTransparent(bool v) { FTransparent = v; Invalidate(); }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::Label; }
  platform::PeerStyle PeerStyle() const override;
  void TextChanged() override;
  void FontChanged() override;
  void Resize() override;
  void Paint(TCanvas& canvas) override;

private:
  void AdjustSize();
  // A word-wrapped label whose text fits on one line is shown as one line, which the
  // system's label can centre vertically.
  bool FitsOnOneLine() const;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false, FAutoSize = true, FTransparent = false;
};

class TButtonControl : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TButtonControl(rtl::TComponent* owner = nullptr);

protected:
  void PeerClicked() override { Click(); }
};

class TButton : public TButtonControl {
  RTL_CLASS_INFO

public:
  explicit TButton(rtl::TComponent* owner = nullptr);
  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& v) { SetText(v); }
  int ModalResult() const noexcept { return FModalResult; }
  void SetModalResult(int v) noexcept { FModalResult = v; }
  // Enter presses the default button, Escape the cancel button.
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool v) { FDefault = v; StyleChanged(); }
  bool Cancel() const noexcept { return FCancel; }
  void SetCancel(bool v) noexcept { FCancel = v; }
  // Gives the form its modal result, then runs OnClick.
  void Click() override;

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::Button; }
  platform::PeerStyle PeerStyle() const override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;

private:
  int FModalResult = 0;
  bool FDefault = false, FCancel = false;
};

class TCheckBox : public TButtonControl {
  RTL_CLASS_INFO

public:
  explicit TCheckBox(rtl::TComponent* owner = nullptr);
  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& v) { SetText(v); }
  bool Checked() const { return State() == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const;
  // A change by code raises OnClick too, as a user's would.
  void SetState(TCheckBoxState v);
  bool AllowGrayed() const noexcept { return FAllowGrayed; }
  void SetAllowGrayed(bool v) noexcept { FAllowGrayed = v; }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::CheckBox; }
  void PeerCreated() override;
  void PeerClicked() override;

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
};

class TRadioButton : public TButtonControl {
  RTL_CLASS_INFO

public:
  explicit TRadioButton(rtl::TComponent* owner = nullptr);
  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& v) { SetText(v); }
  bool Checked() const noexcept { return FChecked; }
  // Checking one radio button unchecks the others of the same parent.
  void SetChecked(bool v);

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::RadioButton; }
  void PeerCreated() override;
  void PeerClicked() override;

private:
  bool FChecked = false;
};

class TGroupBox : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TGroupBox(rtl::TComponent* owner = nullptr);
  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& v) { SetText(v); }
  // Inside the frame, below the caption.
  TRect AlignRect() const override;

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::GroupBox; }
};

class TCustomEdit : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TCustomEdit(rtl::TComponent* owner = nullptr);
  bool ReadOnly() const noexcept { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; StyleChanged(); }
  const rtl::TNotifyEvent& OnChange() const noexcept { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent h) { FOnChange = std::move(h); }

protected:
  platform::PeerStyle PeerStyle() const override;
  virtual void Change();
  void TextChanged() override { Change(); }
  void PeerChanged() override { Change(); }

private:
  bool FReadOnly = false;
  rtl::TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
  RTL_CLASS_INFO

public:
  explicit TEdit(rtl::TComponent* owner = nullptr);

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::Edit; }
};

class TMemo : public TCustomEdit {
  RTL_CLASS_INFO

public:
  explicit TMemo(rtl::TComponent* owner = nullptr);
  ~TMemo() override;
  // The lines, kept equal to the window's text.
  rtl::TStrings* Lines() const;
  void SetLines(rtl::TStrings* lines) { FLines->Assign(lines); }
  bool WordWrap() const noexcept { return FWordWrap; }
  void SetWordWrap(bool v) { FWordWrap = v; StyleChanged(); }
  TScrollStyle ScrollBars() const noexcept { return FScrollBars; }
  void SetScrollBars(TScrollStyle v) { FScrollBars = v; StyleChanged(); }
  bool WantReturns() const noexcept { return FWantReturns; }
  void SetWantReturns(bool v) noexcept { FWantReturns = v; }
  bool WantTabs() const noexcept { return FWantTabs; }
  void SetWantTabs(bool v) noexcept { FWantTabs = v; }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::Memo; }
  platform::PeerStyle PeerStyle() const override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;
  void Change() override;

private:
  rtl::TStringList* FLines;
  bool FSyncing = false;
  bool FWordWrap = true, FWantReturns = true, FWantTabs = false;
  TScrollStyle FScrollBars = ssNone;
};

class TCustomComboBox : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TCustomComboBox(rtl::TComponent* owner = nullptr);
  ~TCustomComboBox() override;
  rtl::TStrings* Items() const noexcept { return FItems; }
  void SetItems(rtl::TStrings* items) { FItems->Assign(items); }
  int ItemIndex() const;
  void SetItemIndex(int index);
  TComboBoxStyle Style() const noexcept { return FStyle; }
  void SetStyle(TComboBoxStyle v);
  bool DroppedDown() const { return FPeer && FPeer->DroppedDown(); }
  // Opening the list raises OnDropDown, closing it OnCloseUp.
  void SetDroppedDown(bool dropped);
  // The selected item's text, or the typed text.
  rtl::AnsiString Text() const override;
  const rtl::TNotifyEvent& OnChange() const noexcept { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent h) { FOnChange = std::move(h); }
  const rtl::TNotifyEvent& OnDropDown() const noexcept { return FOnDropDown; }
  void SetOnDropDown(rtl::TNotifyEvent h) { FOnDropDown = std::move(h); }
  const rtl::TNotifyEvent& OnCloseUp() const noexcept { return FOnCloseUp; }
  void SetOnCloseUp(rtl::TNotifyEvent h) { FOnCloseUp = std::move(h); }

protected:
  platform::PeerClass PeerKind() const override;
  void PeerCreated() override;
  void PeerChanged() override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;

private:
  void ItemsChanged();
  rtl::TStringList* FItems;
  int FItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  rtl::TNotifyEvent FOnChange, FOnDropDown, FOnCloseUp;
};

class TComboBox : public TCustomComboBox {
  RTL_CLASS_INFO

public:
  using TCustomComboBox::TCustomComboBox;
};

class TCustomListBox : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TCustomListBox(rtl::TComponent* owner = nullptr);
  ~TCustomListBox() override;
  rtl::TStrings* Items() const noexcept { return FItems; }
  void SetItems(rtl::TStrings* items) { FItems->Assign(items); }
  int ItemIndex() const;
  void SetItemIndex(int index);
  int SelCount() const { return ItemIndex() >= 0 ? 1 : 0; }
  bool Selected(int index) const;
  void SetSelected(int index, bool value);

protected:
  // A list box whose item list is of a class of its own (taken over).
  TCustomListBox(rtl::TComponent* owner, rtl::TStringList* items);
  platform::PeerClass PeerKind() const override { return platform::PeerClass::ListBox; }
  void PeerCreated() override;
  void PeerChanged() override;
  virtual void ItemsChanged();

private:
  rtl::TStringList* FItems;
  int FItemIndex = -1;
};

class TListBox : public TCustomListBox {
  RTL_CLASS_INFO

public:
  using TCustomListBox::TCustomListBox;
};

}  // namespace gui
