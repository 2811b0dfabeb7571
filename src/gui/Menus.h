// Popup menus and their items.
#pragma once

#include <vector>

#include "rtl/Component.h"

namespace gui {

class TMenuItem : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit TMenuItem(rtl::TComponent* owner = nullptr);
  ~TMenuItem() override;

  const rtl::AnsiString& Caption() const noexcept { return FCaption; }
  void SetCaption(const rtl::AnsiString& v) { FCaption = v; }
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool v) noexcept { FEnabled = v; }
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool v) noexcept { FVisible = v; }
  bool Checked() const noexcept { return FChecked; }
  void SetChecked(bool v) noexcept { FChecked = v; }
  const rtl::AnsiString& Hint() const noexcept { return FHint; }
  void SetHint(const rtl::AnsiString& v) { FHint = v; }
  const rtl::TNotifyEvent& OnClick() const noexcept { return FOnClick; }
  void SetOnClick(rtl::TNotifyEvent h) { FOnClick = std::move(h); }
  bool IsLine() const { return FCaption == "-"; }

  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const noexcept { return FParent; }
  // Appends an item (taken out of its previous parent).
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  virtual void Click();

private:
  rtl::AnsiString FCaption;
  bool FEnabled = true, FVisible = true, FChecked = false;
  rtl::AnsiString FHint;
  rtl::TNotifyEvent FOnClick;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
};

class TPopupMenu : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit TPopupMenu(rtl::TComponent* owner = nullptr);
  ~TPopupMenu() override;
  TMenuItem* Items() const noexcept { return FItems; }
  // The control the menu was last shown for.
  rtl::TComponent* PopupComponent() const noexcept { return FPopupComponent; }
  void SetPopupComponent(rtl::TComponent* c) noexcept { FPopupComponent = c; }
  // Shows the menu at a screen point and runs the chosen item's click.
  virtual void Popup(int x, int y);
  const rtl::TNotifyEvent& OnPopup() const noexcept { return FOnPopup; }
  void SetOnPopup(rtl::TNotifyEvent h) { FOnPopup = std::move(h); }

protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

private:
  TMenuItem* FItems;
  rtl::TComponent* FPopupComponent = nullptr;
  rtl::TNotifyEvent FOnPopup;
};

}  // namespace gui
