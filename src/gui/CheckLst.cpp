#include "gui/CheckLst.h"

#include <algorithm>

#include "gui/GuiErrors.h"
#include "gui/GuiTexts.h"
#include "gui/Published.h"
#include "rtl/StringList.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TCheckListBox::StaticClassInfo()};
}

// The item list of a check list box: every change of the lines' order moves the
// check states the same way.
class TCheckListBox::TCheckStrings : public rtl::TStringList {
public:
  explicit TCheckStrings(TCheckListBox* owner) : FOwner(owner) {}
  int Add(const rtl::AnsiString& s) override { return AddObject(s, nullptr); }
  int AddObject(const rtl::AnsiString& s, rtl::TObject* object) override {
    Hold hold(this);
    const int count = Count();
    const int index = TStringList::AddObject(s, object);
    if (Count() > count) Checks().insert(Checks().begin() + index, false);
    return index;
  }
  void Insert(int index, const rtl::AnsiString& s) override { InsertObject(index, s, nullptr); }
  void InsertObject(int index, const rtl::AnsiString& s, rtl::TObject* object) override {
    Hold hold(this);
    TStringList::InsertObject(index, s, object);
    Checks().insert(Checks().begin() + index, false);
  }
  void Delete(int index) override {
    Hold hold(this);
    TStringList::Delete(index);
    Checks().erase(Checks().begin() + index);
  }
  void Clear() override {
    Hold hold(this);
    TStringList::Clear();
    Checks().clear();
  }
  void Exchange(int index1, int index2) override {
    Hold hold(this);
    TStringList::Exchange(index1, index2);
    std::vector<bool>::swap(Checks()[static_cast<std::size_t>(index1)], Checks()[static_cast<std::size_t>(index2)]);
  }
  void Move(int curIndex, int newIndex) override {
    Hold hold(this);
    TStringList::Move(curIndex, newIndex);  // raises for a bad index
    if (curIndex == newIndex) return;
    const bool moved = Checks()[static_cast<std::size_t>(curIndex)];
    Checks().erase(Checks().begin() + curIndex);
    Checks().insert(Checks().begin() + newIndex, moved);
  }
  void CustomSort(const rtl::TStringListSortCompare& compare) override {
    // Lines are matched back to their states by text and object; equal lines are
    // interchangeable, so their states stay as many as before.
    Hold hold(this);
    struct Line {
      rtl::AnsiString Text;
      rtl::TObject* Object;
      bool Checked;
    };
    std::vector<Line> before;
    for (int i = 0; i < Count(); ++i) before.push_back({Get(i), GetObject(i), Checks()[static_cast<std::size_t>(i)]});
    TStringList::CustomSort(compare);
    std::vector<bool> after(before.size(), false);
    std::vector<bool> used(before.size(), false);
    for (int i = 0; i < Count(); ++i)
      for (std::size_t j = 0; j < before.size(); ++j)
        if (!used[j] && before[j].Object == GetObject(i) && before[j].Text == Get(i)) {
          used[j] = true;
          after[static_cast<std::size_t>(i)] = before[j].Checked;
          break;
        }
    Checks() = std::move(after);
  }
  void Sort() override {
    if (Sorted() || Count() < 2) return;
    CustomSort([this](rtl::TStringList& list, int a, int b) { return CompareStrings(list.Get(a).view(), list.Get(b).view()); });
  }

private:
  // The list box hears of the change once the states agree with the lines again.
  struct Hold {
    explicit Hold(TCheckStrings* s) : Self(s) { Self->BeginUpdate(); }
    ~Hold() { Self->EndUpdate(); }
    TCheckStrings* Self;
  };
  std::vector<bool>& Checks() { return FOwner->FChecks; }
  TCheckListBox* FOwner;
};

const TClassInfo& TCheckListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TCheckListBox> b("TCheckListBox", &TCustomListBox::StaticClassInfo());
    b.Event("OnClickCheck", "TNotifyEvent", &TCheckListBox::OnClickCheck, &TCheckListBox::SetOnClickCheck);
    return b;
  }();
  return info;
}

TCheckListBox::TCheckListBox(rtl::TComponent* owner) : TCustomListBox(owner, rtl::CreateObject<TCheckStrings>(this)) {}

bool TCheckListBox::Checked(int index) const {
  if (index < 0 || index >= Items()->Count()) throw rtl::EListError(Format(texts::ListIndexError, index));
  return FChecks[static_cast<std::size_t>(index)];
}

void TCheckListBox::SetChecked(int index, bool value) {
  if (index < 0 || index >= Items()->Count()) throw rtl::EListError(Format(texts::ListIndexError, index));
  FChecks[static_cast<std::size_t>(index)] = value;
  if (FPeer) FPeer->SetItemChecked(index, value);
}

void TCheckListBox::Toggle(int index) {
  SetChecked(index, !Checked(index));
  if (FOnClickCheck) FOnClickCheck(this);
}

void TCheckListBox::ItemsChanged() {
  // Items set from outside the list's own operations (Assign, Text) start unchecked.
  FChecks.resize(static_cast<std::size_t>(Items()->Count()), false);
  TCustomListBox::ItemsChanged();
  if (FPeer)
    for (int i = 0; i < Items()->Count(); ++i) FPeer->SetItemChecked(i, FChecks[static_cast<std::size_t>(i)]);
}

void TCheckListBox::PeerCreated() {
  TCustomListBox::PeerCreated();
  for (int i = 0; i < Items()->Count(); ++i) FPeer->SetItemChecked(i, FChecks[static_cast<std::size_t>(i)]);
}

void TCheckListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomListBox::MouseDown(button, shift, x, y);
  if (button != mbLeft || !FPeer || x >= kCheckWidth) return;
  const int index = FPeer->ItemAt(x, y);
  if (index >= 0) Toggle(index);
}

void TCheckListBox::KeyPress(char& key) {
  TCustomListBox::KeyPress(key);
  if (key == ' ' && ItemIndex() >= 0) {
    Toggle(ItemIndex());
    key = 0;
  }
}

}  // namespace gui
