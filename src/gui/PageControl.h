// Tabs: the tab control (a row of tabs over one area the program fills) and the page
// control, whose tabs are its tab sheets and which shows the sheet of the selected
// tab. The row of tabs is the system's; the sheets are the toolkit's containers.
#pragma once

#include <functional>
#include <vector>

#include "gui/Controls.h"
#include "rtl/StringList.h"

namespace gui {

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
const rtl::TEnumInfo& TabPositionTypeInfo();
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
const rtl::TEnumInfo& TabStyleTypeInfo();

using TTabChangingEvent = std::function<void(rtl::TObject* Sender, bool& AllowChange)>;

class TCustomTabControl : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TCustomTabControl(rtl::TComponent* owner = nullptr);
  ~TCustomTabControl() override;
  TTabPosition TabPosition() const noexcept { return FTabPosition; }
  // Moves the tabs to another side and the pages with them, at once.
  void SetTabPosition(TTabPosition v);
  TTabStyle Style() const noexcept { return FStyle; }
  void SetStyle(TTabStyle v) { FStyle = v; StyleChanged(); }
  // The area beside the tabs where the pages (or the program's controls) go, in
  // client coordinates.
  TRect DisplayRect() const;
  TRect AlignRect() const override;
  // A tab's rectangle (by its place among the tabs), in client coordinates; empty
  // before there is a window, or for no such tab.
  TRect TabRect(int index) const;
  const TTabChangingEvent& OnChanging() const noexcept { return FOnChanging; }
  void SetOnChanging(TTabChangingEvent h) { FOnChanging = std::move(h); }
  const rtl::TNotifyEvent& OnChange() const noexcept { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent h) { FOnChange = std::move(h); }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::TabControl; }
  platform::PeerStyle PeerStyle() const override;
  void PeerCreated() override;
  void PeerChanged() override;
  void FontChanged() override;
  // The tabs' texts and the selected tab, as the peer shows them.
  virtual std::vector<std::string> TabTexts() const = 0;
  virtual int SelectedTab() const = 0;
  // The user picked another tab: the descendant follows it.
  virtual void TabPicked(int index) = 0;
  void TabsChanged();
  bool CanChange();
  void Change();

private:
  TTabPosition FTabPosition = tpTop;
  TTabStyle FStyle = tsTabs;
  TTabChangingEvent FOnChanging;
  rtl::TNotifyEvent FOnChange;
};

class TTabControl : public TCustomTabControl {
  RTL_CLASS_INFO

public:
  explicit TTabControl(rtl::TComponent* owner = nullptr);
  ~TTabControl() override;
  rtl::TStrings* Tabs() const noexcept { return FTabs; }
  void SetTabs(rtl::TStrings* v) { FTabs->Assign(v); }
  int TabIndex() const noexcept { return FTabIndex; }
  // -1 or an index of Tabs; anything else is ignored.
  void SetTabIndex(int v);

protected:
  std::vector<std::string> TabTexts() const override;
  int SelectedTab() const override { return FTabIndex; }
  void TabPicked(int index) override;

private:
  rtl::TStringList* FTabs;
  int FTabIndex = -1;
};

class TPageControl;

// A page of a page control. Its tab shows its caption; a sheet whose TabVisible is
// false has no tab and cannot be the active page.
class TTabSheet : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TTabSheet(rtl::TComponent* owner = nullptr);
  ~TTabSheet() override;
  TPageControl* PageControl() const noexcept { return FPageControl; }
  // Moves the sheet to a page control (as its last page) or out of any (null).
  void SetPageControl(TPageControl* v);
  int PageIndex() const;
  void SetPageIndex(int v);
  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& v) { SetText(v); }
  bool TabVisible() const noexcept { return FTabVisible; }
  void SetTabVisible(bool v);
  int ImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(int v) noexcept { FImageIndex = v; }
  // The sheet's place among the visible tabs, or -1.
  int TabIndex() const;

protected:
  void TextChanged() override;
  void Paint(TCanvas& canvas) override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
};

class TPageControl : public TCustomTabControl {
  RTL_CLASS_INFO

public:
  explicit TPageControl(rtl::TComponent* owner = nullptr);
  ~TPageControl() override;
  int PageCount() const noexcept { return static_cast<int>(FPages.size()); }
  // Raises the list-index error outside 0 .. PageCount - 1.
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const noexcept { return FActivePage; }
  // A sheet of this control (with a tab) or null; another control's sheet raises.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The next (or previous) sheet with a tab after the active one, wrapping around.
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward) const;
  void SelectNextPage(bool goForward);

protected:
  std::vector<std::string> TabTexts() const override;
  int SelectedTab() const override;
  void TabPicked(int index) override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void ShowActive();
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};

}  // namespace gui
