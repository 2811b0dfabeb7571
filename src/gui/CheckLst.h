// A list box with a check box before each item. The check states travel with their
// items when lines are inserted, deleted, moved or sorted.
#pragma once

#include <vector>

#include "gui/StdCtrls.h"

namespace gui {

class TCheckListBox : public TCustomListBox {
  RTL_CLASS_INFO

public:
  explicit TCheckListBox(rtl::TComponent* owner = nullptr);
  // Raise the list-index error outside 0 .. Items.Count - 1.
  bool Checked(int index) const;
  void SetChecked(int index, bool value);
  const rtl::TNotifyEvent& OnClickCheck() const noexcept { return FOnClickCheck; }
  void SetOnClickCheck(rtl::TNotifyEvent h) { FOnClickCheck = std::move(h); }
  // The width of the check box column at the left of each item.
  static constexpr int kCheckWidth = 16;

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::CheckListBox; }
  void PeerCreated() override;
  void ItemsChanged() override;
  // A press on an item's check box, or Space on the selected item, toggles it.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyPress(char& key) override;

private:
  class TCheckStrings;
  friend class TCheckStrings;
  void Toggle(int index);
  std::vector<bool> FChecks;
  rtl::TNotifyEvent FOnClickCheck;
};

}  // namespace gui
