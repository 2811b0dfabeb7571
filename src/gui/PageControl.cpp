#include "gui/PageControl.h"

#include <algorithm>

#include "gui/GuiErrors.h"
#include "gui/GuiTexts.h"
#include "gui/Published.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TCustomTabControl::StaticClassInfo(), &TTabControl::StaticClassInfo(),
                                                    &TTabSheet::StaticClassInfo(), &TPageControl::StaticClassInfo()};
// Where the pages go before there is a window to ask: the tab row and the border.
constexpr int kTabRow = 22, kBorder = 4;
}  // namespace

const TEnumInfo& TabPositionTypeInfo() {
  static const TEnumInfo info{"TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}};
  return info;
}
const TEnumInfo& TabStyleTypeInfo() {
  static const TEnumInfo info{"TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"}};
  return info;
}

// ---- TCustomTabControl

const TClassInfo& TCustomTabControl::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TCustomTabControl> b("TCustomTabControl", &TWinControl::StaticClassInfo());
    b.Abstract();
    PublishAppearance(b);
    b.Enum("Style", TabStyleTypeInfo(), &TCustomTabControl::Style, &TCustomTabControl::SetStyle);
    b.Enum("TabPosition", TabPositionTypeInfo(), &TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition);
    b.Event("OnChange", "TNotifyEvent", &TCustomTabControl::OnChange, &TCustomTabControl::SetOnChange);
    b.Event("OnChanging", "TTabChangingEvent", &TCustomTabControl::OnChanging, &TCustomTabControl::SetOnChanging);
    return b;
  }();
  return info;
}

TCustomTabControl::TCustomTabControl(rtl::TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TCustomTabControl::~TCustomTabControl() = default;

platform::PeerStyle TCustomTabControl::PeerStyle() const {
  platform::PeerStyle s;
  s.ButtonTabs = FStyle != tsTabs;
  s.TabSide = static_cast<int>(FTabPosition);
  return s;
}

void TCustomTabControl::SetTabPosition(TTabPosition v) {
  if (v == FTabPosition) return;
  FTabPosition = v;
  // The window keeps its tabs and selection; only the pages' area moves.
  StyleChanged();
  Realign();
}

void TCustomTabControl::FontChanged() {
  TWinControl::FontChanged();
  // The tabs' row follows the text's height.
  Realign();
}

TRect TCustomTabControl::DisplayRect() const {
  if (FPeer) {
    TRect r;
    FPeer->DisplayRect(r.Left, r.Top, r.Right, r.Bottom);
    // A control smaller than its tabs leaves no room rather than a negative one.
    r.Right = std::max(r.Left, r.Right), r.Bottom = std::max(r.Top, r.Bottom);
    return r;
  }
  TRect r{0, 0, Width(), Height()};
  switch (FTabPosition) {
    case tpTop: r.Top += kTabRow; break;
    case tpBottom: r.Bottom -= kTabRow; break;
    case tpLeft: r.Left += kTabRow; break;
    case tpRight: r.Right -= kTabRow; break;
  }
  r.Left += kBorder, r.Top += kBorder;
  r.Right = std::max(r.Left, r.Right - kBorder), r.Bottom = std::max(r.Top, r.Bottom - kBorder);
  return r;
}

TRect TCustomTabControl::TabRect(int index) const {
  TRect r;
  if (FPeer && FPeer->TabRect(index, r.Left, r.Top, r.Right, r.Bottom)) return r;
  return {};
}

TRect TCustomTabControl::AlignRect() const {
  TRect r = DisplayRect();
  const int b = BorderWidth();
  return {r.Left + b, r.Top + b, r.Right - b, r.Bottom - b};
}

void TCustomTabControl::PeerCreated() {
  TWinControl::PeerCreated();
  // The window knows the tab row's height only now; TabsChanged realigns.
  TabsChanged();
}

void TCustomTabControl::TabsChanged() {
  if (!FPeer) return;
  FPeer->SetItems(TabTexts());
  FPeer->SetItemIndex(SelectedTab());
  // Tabs at a side wrap into more columns as they grow.
  Realign();
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  if (FOnChanging) FOnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomTabControl::PeerChanged() {
  const int picked = FPeer->ItemIndex();
  if (picked == SelectedTab()) return;
  // A refused change puts the old tab back.
  if (!CanChange()) {
    FPeer->SetItemIndex(SelectedTab());
    return;
  }
  TabPicked(picked);
}

// ---- TTabControl

const TClassInfo& TTabControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTabControl>("TTabControl", &TCustomTabControl::StaticClassInfo())
                                     .Property("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex)
                                     .Property("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs);
  return info;
}

TTabControl::TTabControl(rtl::TComponent* owner) : TCustomTabControl(owner), FTabs(rtl::CreateObject<rtl::TStringList>()) {
  FTabs->SetOnChange([this](rtl::TObject*) {
    if (FTabIndex >= FTabs->Count()) FTabIndex = FTabs->Count() - 1;
    if (FTabIndex < 0 && FTabs->Count() > 0) FTabIndex = 0;
    TabsChanged();
  });
}

TTabControl::~TTabControl() { rtl::FreeObject(FTabs); }

std::vector<std::string> TTabControl::TabTexts() const {
  std::vector<std::string> texts;
  for (int i = 0; i < FTabs->Count(); ++i) texts.push_back(FTabs->Get(i).str());
  return texts;
}

void TTabControl::SetTabIndex(int v) {
  if (v < -1 || v >= FTabs->Count() || v == FTabIndex) return;
  FTabIndex = v;
  if (FPeer) FPeer->SetItemIndex(v);
}

void TTabControl::TabPicked(int index) {
  FTabIndex = index;
  Change();
}

// ---- TTabSheet

const TClassInfo& TTabSheet::StaticClassInfo() {
  static const TClassInfo info = [] {
    // PageControl is not published: the page control's class info names this class
    // (ActivePage), and the two records cannot each wait for the other.
    TClassBuilder<TTabSheet> b("TTabSheet", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    PublishCaption(b);
    b.Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).TypeName("TImageIndex");
    b.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex);
    b.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
    return b;
  }();
  return info;
}

TTabSheet::TTabSheet(rtl::TComponent* owner) : TWinControl(owner) {
  SetAlign(alClient);
  SetVisible(false);  // until its page control shows it
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* v) {
  if (v == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  if (v) v->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int v) {
  if (!FPageControl) return;
  auto& pages = FPageControl->FPages;
  v = std::clamp(v, 0, static_cast<int>(pages.size()) - 1);
  pages.erase(pages.begin() + PageIndex());
  pages.insert(pages.begin() + v, this);
  FPageControl->TabsChanged();
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (TTabSheet* p : FPageControl->FPages) {
    if (p == this) return index;
    if (p->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool v) {
  if (v == FTabVisible) return;
  FTabVisible = v;
  if (!FPageControl) return;
  if (!v && FPageControl->FActivePage == this) FPageControl->SetActivePage(FPageControl->FindNextPage(this, true));
  FPageControl->TabsChanged();
}

void TTabSheet::TextChanged() {
  if (FPageControl) FPageControl->TabsChanged();
}

void TTabSheet::Paint(TCanvas& canvas) {
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(ClientRect());
}

// ---- TPageControl

const TClassInfo& TPageControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPageControl>("TPageControl", &TCustomTabControl::StaticClassInfo())
                                     .Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
                                     .Property("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex)
                                     .Property("PageCount", &TPageControl::PageCount);
  return info;
}

TPageControl::TPageControl(rtl::TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
  // The sheets may outlive the control (their owner frees them).
  for (TTabSheet* p : FPages) p->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) throw rtl::EListError(Format(texts::ListIndexError, index));
  return FPages[static_cast<std::size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FPageControl = this;
  page->SetParent(this);
  TabsChanged();
  if (!FActivePage && page->FTabVisible) SetActivePage(page);
  else page->SetVisible(page == FActivePage);
}

void TPageControl::RemovePage(TTabSheet* page) {
  TTabSheet* next = page == FActivePage ? FindNextPage(page, true) : FActivePage;
  if (next == page) next = nullptr;
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  page->FPageControl = nullptr;
  if (FActivePage == page) FActivePage = nullptr;
  if (page->Parent() == this && !(ComponentState() & rtl::csDestroying)) page->SetParent(nullptr);
  if (!(ComponentState() & rtl::csDestroying)) {
    TabsChanged();
    if (!FActivePage && next) SetActivePage(next);
  }
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) throw EInvalidOperation(texts::PageForeign);
  if (page && !page->FTabVisible) return;
  if (page == FActivePage) return;
  FActivePage = page;
  ShowActive();
}

void TPageControl::ShowActive() {
  // The new page shows before the old one hides, so that nothing flickers through.
  if (FActivePage) {
    FActivePage->SetVisible(true);
    FActivePage->BringToFront();
  }
  for (TTabSheet* p : FPages)
    if (p != FActivePage) p->SetVisible(false);
  if (FPeer) FPeer->SetItemIndex(SelectedTab());
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<std::size_t>(index)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward) const {
  if (FPages.empty()) return nullptr;
  const int n = PageCount();
  int start = current ? current->PageIndex() : -1;
  if (start < 0 || start >= n) start = goForward ? n - 1 : 0;
  for (int step = 1; step <= n; ++step) {
    const int i = ((start + (goForward ? step : -step)) % n + n) % n;
    if (FPages[static_cast<std::size_t>(i)]->FTabVisible) return FPages[static_cast<std::size_t>(i)];
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool goForward) {
  TTabSheet* next = FindNextPage(FActivePage, goForward);
  if (!next || next == FActivePage || !CanChange()) return;
  SetActivePage(next);
  Change();
}

std::vector<std::string> TPageControl::TabTexts() const {
  std::vector<std::string> texts;
  for (TTabSheet* p : FPages)
    if (p->FTabVisible) texts.push_back(p->Caption().str());
  return texts;
}

int TPageControl::SelectedTab() const { return FActivePage ? FActivePage->TabIndex() : -1; }

void TPageControl::TabPicked(int index) {
  for (TTabSheet* p : FPages)
    if (p->TabIndex() == index) {
      SetActivePage(p);
      Change();
      return;
    }
}

}  // namespace gui
