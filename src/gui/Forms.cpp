#include "gui/Forms.h"

#include <algorithm>

#include "gui/Dialogs.h"
#include "gui/GuiErrors.h"
#include "gui/GuiTexts.h"
#include "gui/Published.h"
#include "gui/StdCtrls.h"
#include "platform/Modules.h"
#include "platform/Messages.h"
#include "rtl/UserWait.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
// The first showing, enabled default (or cancel) button among the children, all levels.
TButton* FindButton(const TWinControl* parent, bool isDefault) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible() || !c->Enabled()) continue;
    if (auto* b = dynamic_cast<TButton*>(c); b && (isDefault ? b->Default() : b->Cancel())) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TButton* b = FindButton(w, isDefault)) return b;
  }
  return nullptr;
}

// The key a caption's accelerator stands for: the upper-case letter or digit after a
// single "&" ("&&" is an ampersand); 0 for none.
std::uint16_t AcceleratorOf(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    const char c = caption[i + 1];
    if (c == '&') {
      ++i;
      continue;
    }
    if (c >= 'a' && c <= 'z') return static_cast<std::uint16_t>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<std::uint16_t>(c);
    return 0;
  }
  return 0;
}

TButton* FindAccelerated(const TWinControl* parent, std::uint16_t key) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible() || !c->Enabled()) continue;
    if (auto* b = dynamic_cast<TButton*>(c); b && AcceleratorOf(b->Text().view()) == key) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TButton* b = FindAccelerated(w, key)) return b;
  }
  return nullptr;
}

// Every form that exists, in the order they were shown last.
std::vector<TCustomForm*>& AllForms() {
  static auto* forms = new std::vector<TCustomForm*>();
  return *forms;
}

// The forms that are showing modally, innermost last.
std::vector<TCustomForm*>& ModalForms() {
  static auto* forms = new std::vector<TCustomForm*>();
  return *forms;
}

[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TControlScrollBar::StaticClassInfo(), &TScrollingWinControl::StaticClassInfo(),
                                                    &TScrollBox::StaticClassInfo(), &TCustomForm::StaticClassInfo(),
                                                    &TForm::StaticClassInfo(), &TApplication::StaticClassInfo()};
}

const TEnumInfo& CloseActionTypeInfo() {
  static const TEnumInfo info{"TCloseAction", {"caNone", "caHide", "caFree", "caMinimize"}};
  return info;
}
const TEnumInfo& PositionTypeInfo() {
  static const TEnumInfo info{"TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                            "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
  return info;
}
const TEnumInfo& FormBorderStyleTypeInfo() {
  static const TEnumInfo info{"TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
  return info;
}
const TEnumInfo& BorderIconTypeInfo() {
  static const TEnumInfo info{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
  return info;
}

const TClassInfo& TControlScrollBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TControlScrollBar>("TControlScrollBar", &rtl::TPersistent::StaticClassInfo())
          .Property("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement)
          .TypeName("TScrollBarInc")
          .Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition)
          .Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
          .Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible);
  return info;
}

void TControlScrollBar::Assign(const rtl::TPersistent* source) {
  if (auto* bar = dynamic_cast<const TControlScrollBar*>(source)) {
    FRange = bar->FRange;
    FPosition = bar->FPosition;
    FIncrement = bar->FIncrement;
    FVisible = bar->FVisible;
    return;
  }
  TPersistent::Assign(source);
}

void TControlScrollBar::SetRange(int v) {
  FRange = v < 0 ? 0 : v;
  SetPosition(FPosition);
}

void TControlScrollBar::SetPosition(int v) { FPosition = v < 0 ? 0 : v > FRange ? FRange : v; }

const TClassInfo& TScrollingWinControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TScrollingWinControl>("TScrollingWinControl", &TWinControl::StaticClassInfo())
          .Property("HorzScrollBar", &TScrollingWinControl::HorzScrollBar, &TScrollingWinControl::SetHorzScrollBar)
          .Property("VertScrollBar", &TScrollingWinControl::VertScrollBar, &TScrollingWinControl::SetVertScrollBar)
          .Abstract();
  return info;
}

TScrollingWinControl::TScrollingWinControl(rtl::TComponent* owner)
    : TWinControl(owner),
      FHorzScrollBar(rtl::CreateObject<TControlScrollBar>(sbHorizontal)),
      FVertScrollBar(rtl::CreateObject<TControlScrollBar>(sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() {
  rtl::FreeObject(FVertScrollBar);
  rtl::FreeObject(FHorzScrollBar);
}

const TClassInfo& TScrollBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TScrollBox> b("TScrollBox", &TScrollingWinControl::StaticClassInfo());
    PublishAppearance(b);
    return b;
  }();
  return info;
}

TScrollBox::TScrollBox(rtl::TComponent* owner) : TScrollingWinControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetTabStop(true);
}

platform::PeerStyle TScrollBox::PeerStyle() const {
  platform::PeerStyle s;
  s.ClientEdge = true;
  return s;
}

// ---- TCustomForm

const TClassInfo& TCustomForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomForm>("TCustomForm", &TScrollingWinControl::StaticClassInfo())
          .Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
          .Set("BorderIcons", "TBorderIcons", BorderIconTypeInfo(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
          .Enum("BorderStyle", FormBorderStyleTypeInfo(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
          .Property("BorderWidth", &TCustomForm::BorderWidth, &TCustomForm::SetBorderWidth)
          .Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption).TypeName("TCaption")
          .Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
          .Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
          .Property("Color", &TCustomForm::Color, &TCustomForm::SetColor).TypeName("TColor")
          .Property("Font", &TCustomForm::Font, &TCustomForm::SetFont)
          .Property("HelpFile", &TCustomForm::HelpFile, &TCustomForm::SetHelpFile)
          .Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
          .Property("ModalResult", &TCustomForm::ModalResult, &TCustomForm::SetModalResult).TypeName("TModalResult")
          .Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
          .Enum("Position", PositionTypeInfo(), &TCustomForm::Position, &TCustomForm::SetPosition)
          .Property("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled)
          .Property("Canvas", &TCustomForm::Canvas)
          .Event("OnActivate", "TNotifyEvent", &TCustomForm::OnActivate, &TCustomForm::SetOnActivate)
          .Event("OnClose", "TCloseEvent", &TCustomForm::OnClose, &TCustomForm::SetOnClose)
          .Event("OnCloseQuery", "TCloseQueryEvent", &TCustomForm::OnCloseQuery, &TCustomForm::SetOnCloseQuery)
          .Event("OnCreate", "TNotifyEvent", &TCustomForm::OnCreate, &TCustomForm::SetOnCreate)
          .Event("OnDeactivate", "TNotifyEvent", &TCustomForm::OnDeactivate, &TCustomForm::SetOnDeactivate)
          .Event("OnDestroy", "TNotifyEvent", &TCustomForm::OnDestroy, &TCustomForm::SetOnDestroy)
          .Event("OnHide", "TNotifyEvent", &TCustomForm::OnHide, &TCustomForm::SetOnHide)
          .Event("OnPaint", "TNotifyEvent", &TCustomForm::OnPaint, &TCustomForm::SetOnPaint)
          .Event("OnShow", "TNotifyEvent", &TCustomForm::OnShow, &TCustomForm::SetOnShow);
  return info;
}

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TForm>("TForm", &TCustomForm::StaticClassInfo());
  return info;
}

TCustomForm::TCustomForm(rtl::TComponent* owner) : TScrollingWinControl(owner), FCanvas(rtl::CreateObject<TCanvas>()) {
  AllForms().push_back(this);
  FVisible = false;
  FLeft = 200, FTop = 150, FWidth = 320, FHeight = 240;
}

TCustomForm::~TCustomForm() {
  AllForms().erase(std::remove(AllForms().begin(), AllForms().end(), this), AllForms().end());
  if (FModal) FModal = false;
  rtl::FreeObject(FCanvas);
}

void TCustomForm::AfterConstruction() {
  TScrollingWinControl::AfterConstruction();
  CreatePeer();
  SetComponentState(rtl::csLoading, true);
  // Layout stays live while the form is made, so that anchored controls take their
  // distances from the size their aligned parents have by then.
  {
    InitializeForm();
    std::vector<rtl::TComponent*> loading{this};
    for (int i = 0; i < ComponentCount(); ++i)
      if (Components(i)->HasState(rtl::csLoading)) loading.push_back(Components(i));
    for (rtl::TComponent* c : loading) c->Loaded();
    const int ppi = TScreen::PixelsPerInch();
    if (FScaled && ppi != FPixelsPerInch) {
      ScaleBy(ppi, FPixelsPerInch);
      FPixelsPerInch = ppi;
    }
  }
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  if (!FDestroyRaised) {
    FDestroyRaised = true;
    if (FOnDestroy) FOnDestroy(this);
  }
  TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TScrollingWinControl::Notification(component, operation);
  if (operation != rtl::opRemove) return;
  if (component == FActiveControl) FActiveControl = nullptr;
}

platform::PeerStyle TCustomForm::PeerStyle() const {
  platform::PeerStyle s;
  s.BorderStyle = FBorderStyle;
  s.SystemMenu = (FBorderIcons & biSystemMenu) != 0;
  s.Minimize = (FBorderIcons & biMinimize) != 0 && FBorderStyle != bsDialog;
  s.Maximize = (FBorderIcons & biMaximize) != 0 && FBorderStyle != bsDialog;
  s.Help = (FBorderIcons & biHelp) != 0;
  return s;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  FBorderStyle = v;
  StyleChanged();
  Realign();
}

void TCustomForm::SetBorderIcons(std::uint32_t v) {
  FBorderIcons = v & 0xF;
  StyleChanged();
}

int TCustomForm::ClientWidth() const { return TControl::ClientWidth(); }
int TCustomForm::ClientHeight() const { return TControl::ClientHeight(); }

void TCustomForm::ScaleBy(int m, int d) {
  if (m == d || d == 0) return;
  auto scale = [m, d](int v) { return (v * m + (v >= 0 ? d / 2 : -d / 2)) / d; };
  std::function<void(TControl*)> scaleControl = [&](TControl* c) {
    TSizeConstraints* k = c->Constraints();
    k->SetOnChange(nullptr);
    k->SetMinWidth(scale(k->MinWidth()));
    k->SetMinHeight(scale(k->MinHeight()));
    k->SetMaxWidth(scale(k->MaxWidth()));
    k->SetMaxHeight(scale(k->MaxHeight()));
    k->SetOnChange([c](rtl::TObject*) { c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height()); });
    if (!c->ParentFont()) c->Font()->SetHeight(scale(c->Font()->Height()));
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      w->DisableAlign();
      if (w != this) w->SetBorderWidth(scale(w->BorderWidth()));
      for (int i = 0; i < w->ControlCount(); ++i) scaleControl(w->Controls(i));
    }
    if (c != this) c->SetBounds(scale(c->Left()), scale(c->Top()), scale(c->Width()), scale(c->Height()));
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->EnableAlign();
  };
  const int cw = ClientWidth(), ch = ClientHeight();
  SetBorderWidth(scale(BorderWidth()));
  scaleControl(this);
  SetClientWidth(scale(cw));
  SetClientHeight(scale(ch));
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  FActiveControl = control;
  if (control && Visible() && control->CanFocus()) control->SetFocus();
}

void TCustomForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) {
    DoShow();
    PlaceOnShow();
    FVisible = true;
    AllForms().erase(std::remove(AllForms().begin(), AllForms().end(), this), AllForms().end());
    AllForms().push_back(this);
    if (FPeer) {
      FPeer->SetVisible(true);
      FPeer->Update();
    }
    FocusFirst();
  } else {
    DoHide();
    FVisible = false;
    if (FPeer) FPeer->SetVisible(false);
    if (FModal && FModalResult == mrNone) FModalResult = mrCancel;
  }
}

void TCustomForm::PlaceOnShow() {
  if (FShownOnce) return;
  FShownOnce = true;
  if (FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter ||
      FPosition == poOwnerFormCenter)
    SetBounds((TScreen::Width() - Width()) / 2, (TScreen::Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::FocusFirst() {
  TWinControl* target = FActiveControl;
  if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true);
  if (target && target->CanFocus()) target->SetFocus();
  else if (FPeer) FPeer->SetFocus();
}

void TCustomForm::DoCreate() {
  if (FOnCreate) FOnCreate(this);
}
void TCustomForm::DoShow() {
  if (FOnShow) FOnShow(this);
}
void TCustomForm::DoHide() {
  if (FOnHide) FOnHide(this);
}
void TCustomForm::DoClose(TCloseAction& action) {
  if (FOnClose) FOnClose(this, action);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    // The modal loop runs the close queries.
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caHide || action == caMinimize) Hide();
  else if (action == caFree) Release();
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) FModalResult = mrNone;
}

void TCustomForm::FreeDeferred() {
  // A modal form ends as cancelled unless a result was given already.
  if (FModal) {
    if (FModalResult == mrNone) FModalResult = mrCancel;
  } else {
    Hide();
  }
}

void TCustomForm::Release() {
  Hide();
  Application()->ReleaseForm(this);
}

int TCustomForm::ShowModal() {
  if (Visible() || FModal) throw EInvalidOperation(texts::VisibleModal);
  FModal = true;
  FModalResult = mrNone;
  ModalForms().push_back(this);
  struct Leave {
    TCustomForm* Form;
    ~Leave() { ModalForms().erase(std::remove(ModalForms().begin(), ModalForms().end(), Form), ModalForms().end()); }
  } leave{this};
  try {
    // Run-time limits of a running script do not count the user's time.
    rtl::TUserWaitScope waiting;
    Show();
    const bool ran = platform::RunModalLoop(*FPeer, [this] {
      if (FModalResult != mrNone) CloseModal();
      return FModalResult != mrNone;
    });
    if (!ran) {
      // No display: the responder acts as the user.
      if (TResponder* r = Responder(); r && r->ModalForm) r->ModalForm(*this);
      if (FModalResult != mrNone) CloseModal();
      if (FModalResult == mrNone) FModalResult = mrCancel;
    }
  } catch (...) {
    FModal = false;
    Hide();
    throw;
  }
  const int result = FModalResult;
  Hide();
  FModal = false;
  FModalResult = result;
  return result;
}

bool TCustomForm::DialogKey(std::uint16_t key, TShiftState shift) {
  switch (key) {
    case VK_TAB:
      SelectNext(FActiveControl, !(shift & ssShift), true);
      return true;
    case VK_RETURN: {
      // A focused button is pressed itself; otherwise the default button.
      TButton* button = dynamic_cast<TButton*>(FActiveControl);
      if (!button || !button->Focused()) button = FindButton(this, true);
      if (button && button->Showing() && button->Enabled()) {
        button->Click();
        return true;
      }
      return false;
    }
    case VK_ESCAPE:
      if (TButton* button = FindButton(this, false); button && button->Showing() && button->Enabled()) {
        button->Click();
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool TCustomForm::AcceleratorKey(std::uint16_t key) {
  if (!((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) return false;
  TButton* control = FindAccelerated(this, key);
  if (!control) return false;
  if (control->CanFocus()) control->SetFocus();
  control->Click();
  return true;
}

void TCustomForm::PeerCloseRequest() { Close(); }

void TCustomForm::PeerBoundsChanged(int left, int top, int width, int height) {
  const bool resized = width != Width() || height != Height();
  FLeft = left, FTop = top, FWidth = width, FHeight = height;
  if (resized) Resize();
}

void TCustomForm::Paint(TCanvas& canvas) {
  canvas.Brush()->SetColor(Color());
  canvas.FillRect({0, 0, ClientWidth(), ClientHeight()});
  if (FOnPaint) FOnPaint(this);
}

void TCustomForm::PeerPaint(platform::CanvasPeer& surface) {
  FCanvas->Attach(&surface);
  FCanvas->Font()->Assign(Font());
  try {
    Paint(*FCanvas);
  } catch (...) {
    FCanvas->Attach(nullptr);
    throw;
  }
  FCanvas->Attach(nullptr);
}

// ---- TApplication

const TClassInfo& TApplication::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TApplication>("TApplication", &rtl::TComponent::StaticClassInfo())
                                     .Property("Title", &TApplication::Title, &TApplication::SetTitle)
                                     .Property("ExeName", &TApplication::ExeName);
  return info;
}

TApplication::TApplication(rtl::TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
  FreeReleased();
  FWindows.clear();
}

TApplication* Application() {
  static auto* app = rtl::CreateObject<TApplication>();
  return app;
}

rtl::AnsiString TApplication::ExeName() const {
  return rtl::AnsiString(platform::ModuleFileName(platform::MainProgramModule()));
}

platform::WindowPeer& TApplication::Window() {
  std::lock_guard guard(FTimerLock);
  std::unique_ptr<platform::WindowPeer>& window = FWindows[platform::CurrentThreadId()];
  if (!window) window = platform::CreateWindowPeer(platform::PeerClass::Custom, {}, nullptr, this);
  return *window;
}

void TApplication::ProcessMessages() {
  platform::ProcessGuiMessages();
  FreeReleased();
}

void TApplication::Minimize() {
  for (TCustomForm* form : ShowingForms())
    if (form->Peer()) form->Peer()->SetMinimized(true);
}

void TApplication::Restore() {
  for (TCustomForm* form : ShowingForms())
    if (form->Peer()) form->Peer()->SetMinimized(false);
}

void TApplication::StartTimer(rtl::TObject* timer, std::uint32_t interval, std::function<void()> tick) {
  const auto id = reinterpret_cast<std::uintptr_t>(timer);
  std::lock_guard guard(FTimerLock);
  platform::WindowPeer& window = Window();
  auto it = FTimers.find(id);
  if (it != FTimers.end() && it->second.Window != &window) it->second.Window->StopTimer(id);
  FTimers[id] = {std::move(tick), &window};
  window.StartTimer(id, interval);
}

void TApplication::StopTimer(rtl::TObject* timer) {
  const auto id = reinterpret_cast<std::uintptr_t>(timer);
  std::lock_guard guard(FTimerLock);
  auto it = FTimers.find(id);
  if (it == FTimers.end()) return;
  platform::WindowPeer* window = it->second.Window;
  FTimers.erase(it);
  window->StopTimer(id);
}

void TApplication::PeerTimer(std::uintptr_t id) {
  std::function<void()> tick;
  {
    std::lock_guard guard(FTimerLock);
    auto it = FTimers.find(id);
    if (it == FTimers.end()) return;
    tick = it->second.Tick;  // the handler may stop or free its timer
  }
  tick();
}

void TApplication::ReleaseForm(TCustomForm* form) {
  if (std::find(FReleased.begin(), FReleased.end(), form) == FReleased.end()) FReleased.push_back(form);
}

void TApplication::FreeReleased() {
  while (!FReleased.empty()) {
    TCustomForm* f = FReleased.back();
    FReleased.pop_back();
    rtl::FreeObject(f);
  }
}

TCustomForm* ActiveModalForm() { return ModalForms().empty() ? nullptr : ModalForms().back(); }

std::vector<TCustomForm*> ShowingForms() {
  std::vector<TCustomForm*> out;
  for (auto it = AllForms().rbegin(); it != AllForms().rend(); ++it)
    if ((*it)->Visible()) out.push_back(*it);
  return out;
}

int TScreen::PixelsPerInch() { return platform::ScreenPixelsPerInch(); }
int TScreen::Width() {
  int w, h;
  platform::ScreenSize(w, h);
  return w;
}
int TScreen::Height() {
  int w, h;
  platform::ScreenSize(w, h);
  return h;
}

}  // namespace gui
