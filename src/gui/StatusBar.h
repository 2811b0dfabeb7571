// The status bar: a row of panels at the bottom of a form, or one simple text.
#pragma once

#include <vector>

#include "gui/Controls.h"
#include "gui/StdCtrls.h"

namespace gui {

enum TStatusPanelStyle { psText, psOwnerDraw };
const rtl::TEnumInfo& StatusPanelStyleTypeInfo();
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
const rtl::TEnumInfo& StatusPanelBevelTypeInfo();

class TStatusBar;
class TStatusPanels;

class TStatusPanel : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  explicit TStatusPanel(TStatusPanels* owner = nullptr) : FOwner(owner) {}
  void Assign(const rtl::TPersistent* source) override;
  const rtl::AnsiString& Text() const noexcept { return FText; }
  void SetText(const rtl::AnsiString& v) { FText = v; Changed(); }
  int Width() const noexcept { return FWidth; }
  void SetWidth(int v) { FWidth = v < 0 ? 0 : v; Changed(); }
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment v) { FAlignment = v; Changed(); }
  TStatusPanelBevel Bevel() const noexcept { return FBevel; }
  void SetBevel(TStatusPanelBevel v) { FBevel = v; Changed(); }
  TStatusPanelStyle Style() const noexcept { return FStyle; }
  void SetStyle(TStatusPanelStyle v) { FStyle = v; Changed(); }
  int Index() const;
  TStatusPanels* Collection() const noexcept { return FOwner; }

private:
  friend class TStatusPanels;
  void Changed();
  TStatusPanels* FOwner;
  rtl::AnsiString FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
};

// The panels, owned; each change of a panel redraws the bar.
class TStatusPanels : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  explicit TStatusPanels(TStatusBar* owner = nullptr) : FOwner(owner) {}
  ~TStatusPanels() override;
  void Assign(const rtl::TPersistent* source) override;
  TStatusPanel* Add();
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  // Raises the list-index error outside 0 .. Count - 1.
  TStatusPanel* Items(int index) const;
  void Delete(int index);
  void Clear();
  void BeginUpdate() noexcept { ++FUpdating; }
  void EndUpdate();
  TStatusBar* Owner() const noexcept { return FOwner; }

private:
  friend class TStatusPanel;
  void Changed();
  TStatusBar* FOwner;
  std::vector<TStatusPanel*> FItems;
  int FUpdating = 0;
};

class TStatusBar : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TStatusBar(rtl::TComponent* owner = nullptr);
  ~TStatusBar() override;
  TStatusPanels* Panels() const noexcept { return FPanels; }
  void SetPanels(TStatusPanels* v) { FPanels->Assign(v); }
  // One text over the whole bar instead of the panels.
  bool SimplePanel() const noexcept { return FSimplePanel; }
  void SetSimplePanel(bool v);
  const rtl::AnsiString& SimpleText() const noexcept { return FSimpleText; }
  void SetSimpleText(const rtl::AnsiString& v);
  bool SizeGrip() const noexcept { return FSizeGrip; }
  void SetSizeGrip(bool v) { FSizeGrip = v; StyleChanged(); }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::StatusBar; }
  platform::PeerStyle PeerStyle() const override;
  void PeerCreated() override;

private:
  friend class TStatusPanels;
  void PanelsChanged();
  TStatusPanels* FPanels;
  bool FSimplePanel = false, FSizeGrip = true;
  rtl::AnsiString FSimpleText;
};

}  // namespace gui
