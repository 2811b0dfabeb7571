// Forms, the application object and the screen. A form is a top-level window that is
// set up in code (InitializeForm is its form resource), shown modelessly or modally,
// asked before it closes, and scaled from the pixels it was designed in (96 per inch)
// to the screen's. Its key preview sees keys before the focused control does; Tab,
// Enter and Escape that a control does not use move the focus or press the default
// and cancel buttons.
#pragma once

#include <functional>
#include <map>
#include <mutex>

#include "gui/Controls.h"

namespace gui {

// Modal results.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
              mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
const rtl::TEnumInfo& CloseActionTypeInfo();
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
const rtl::TEnumInfo& PositionTypeInfo();
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const rtl::TEnumInfo& FormBorderStyleTypeInfo();
// TBorderIcons bits.
enum : std::uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
const rtl::TEnumInfo& BorderIconTypeInfo();

using TCloseEvent = std::function<void(rtl::TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(rtl::TObject* Sender, bool& CanClose)>;

enum TScrollBarKind { sbHorizontal, sbVertical };

// One scroll bar of a scrolling control: how far its content reaches (Range, 0 for no
// bar), where it is scrolled to, and how far an arrow click moves it.
class TControlScrollBar : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  explicit TControlScrollBar(TScrollBarKind kind = sbHorizontal) noexcept : FKind(kind) {}
  void Assign(const rtl::TPersistent* source) override;

  TScrollBarKind Kind() const noexcept { return FKind; }
  int Range() const noexcept { return FRange; }
  void SetRange(int v);
  // Kept within 0 ... Range.
  int Position() const noexcept { return FPosition; }
  void SetPosition(int v);
  int Increment() const noexcept { return FIncrement; }
  void SetIncrement(int v) noexcept { FIncrement = v < 1 ? 1 : v; }
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool v) noexcept { FVisible = v; }

private:
  TScrollBarKind FKind;
  int FRange = 0;
  int FPosition = 0;
  int FIncrement = 8;
  bool FVisible = true;
};

class TScrollingWinControl : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TScrollingWinControl(rtl::TComponent* owner = nullptr);
  ~TScrollingWinControl() override;

  TControlScrollBar* HorzScrollBar() const noexcept { return FHorzScrollBar; }
  void SetHorzScrollBar(TControlScrollBar* v) { FHorzScrollBar->Assign(v); }
  TControlScrollBar* VertScrollBar() const noexcept { return FVertScrollBar; }
  void SetVertScrollBar(TControlScrollBar* v) { FVertScrollBar->Assign(v); }

private:
  TControlScrollBar* FHorzScrollBar;
  TControlScrollBar* FVertScrollBar;
};

// A bordered area that holds controls.
class TScrollBox : public TScrollingWinControl {
  RTL_CLASS_INFO

public:
  explicit TScrollBox(rtl::TComponent* owner = nullptr);

protected:
  platform::PeerStyle PeerStyle() const override;
};

class TCustomForm : public TScrollingWinControl {
  RTL_CLASS_INFO

public:
  explicit TCustomForm(rtl::TComponent* owner = nullptr);
  ~TCustomForm() override;
  // Makes the window, runs InitializeForm, tells Loaded, scales, raises OnCreate.
  void AfterConstruction() override;
  void BeforeDestruction() override;

  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& caption) { SetText(caption); }

  void SetVisible(bool visible) override;
  // Shows the form and waits until it is closed; returns the modal result. A form
  // that is visible already raises EInvalidOperation.
  int ShowModal();
  // Asks OnCloseQuery, raises OnClose and hides (or frees) the form; a modal form
  // ends with mrCancel.
  void Close();
  bool CloseQuery();
  // Frees the form once the messages being handled are done.
  void Release();
  bool Modal() const noexcept { return FModal; }

  int ModalResult() const noexcept { return FModalResult; }
  void SetModalResult(int value) noexcept { FModalResult = value; }
  TWinControl* ActiveControl() const noexcept { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  bool KeyPreview() const noexcept { return FKeyPreview; }
  void SetKeyPreview(bool v) noexcept { FKeyPreview = v; }
  TFormBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  std::uint32_t BorderIcons() const noexcept { return FBorderIcons; }
  void SetBorderIcons(std::uint32_t v);
  TPosition Position() const noexcept { return FPosition; }
  void SetPosition(TPosition v) noexcept { FPosition = v; }
  const rtl::AnsiString& HelpFile() const noexcept { return FHelpFile; }
  void SetHelpFile(const rtl::AnsiString& v) { FHelpFile = v; }
  bool Scaled() const noexcept { return FScaled; }
  void SetScaled(bool v) noexcept { FScaled = v; }
  // The pixels per inch the form's geometry is given in.
  int PixelsPerInch() const noexcept { return FPixelsPerInch; }
  void SetPixelsPerInch(int v) noexcept { FPixelsPerInch = v > 0 ? v : 96; }
  // Scales positions, sizes, constraints, border widths and own fonts by m / d.
  void ScaleBy(int m, int d);
  int ClientWidth() const override;
  int ClientHeight() const override;
  // The form's canvas while it paints.
  TCanvas* Canvas() const noexcept { return FCanvas; }

  // Tab, Enter and Escape for the focused control (Enter presses the focused or the
  // default button, Escape the cancel button); whether the key was used.
  virtual bool DialogKey(std::uint16_t key, TShiftState shift);
  // Alt+key: clicks the showing, enabled button whose caption marks key
  // with "&"; false when none does.
  bool AcceleratorKey(std::uint16_t key);

  const rtl::TNotifyEvent& OnCreate() const noexcept { return FOnCreate; }
  void SetOnCreate(rtl::TNotifyEvent h) { FOnCreate = std::move(h); }
  const rtl::TNotifyEvent& OnDestroy() const noexcept { return FOnDestroy; }
  void SetOnDestroy(rtl::TNotifyEvent h) { FOnDestroy = std::move(h); }
  const rtl::TNotifyEvent& OnShow() const noexcept { return FOnShow; }
  void SetOnShow(rtl::TNotifyEvent h) { FOnShow = std::move(h); }
  const rtl::TNotifyEvent& OnHide() const noexcept { return FOnHide; }
  void SetOnHide(rtl::TNotifyEvent h) { FOnHide = std::move(h); }
  const rtl::TNotifyEvent& OnActivate() const noexcept { return FOnActivate; }
  void SetOnActivate(rtl::TNotifyEvent h) { FOnActivate = std::move(h); }
  const rtl::TNotifyEvent& OnDeactivate() const noexcept { return FOnDeactivate; }
  void SetOnDeactivate(rtl::TNotifyEvent h) { FOnDeactivate = std::move(h); }
  const rtl::TNotifyEvent& OnPaint() const noexcept { return FOnPaint; }
  void SetOnPaint(rtl::TNotifyEvent h) { FOnPaint = std::move(h); }
  const TCloseEvent& OnClose() const noexcept { return FOnClose; }
  void SetOnClose(TCloseEvent h) { FOnClose = std::move(h); }
  const TCloseQueryEvent& OnCloseQuery() const noexcept { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent h) { FOnCloseQuery = std::move(h); }

protected:
  // The form resource: sets the form's published values and creates its components.
  virtual void InitializeForm() {}
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  platform::PeerClass PeerKind() const override { return platform::PeerClass::Form; }
  platform::PeerStyle PeerStyle() const override;
  void Paint(TCanvas& canvas) override;
  void PeerCloseRequest() override;
  void PeerBoundsChanged(int left, int top, int width, int height) override;
  void PeerPaint(platform::CanvasPeer& canvas) override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;
  // Freed from its own events: it goes out of sight now (a modal form ends its loop)
  // and is freed once its code has returned.
  void FreeDeferred() override;

private:
  friend class TWinControl;
  void CloseModal();
  void PlaceOnShow();
  void FocusFirst();

  int FModalResult = mrNone;
  bool FModal = false;
  bool FShownOnce = false;
  TWinControl* FActiveControl = nullptr;
  bool FKeyPreview = false;
  TFormBorderStyle FBorderStyle = bsSizeable;
  std::uint32_t FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = poDesigned;
  rtl::AnsiString FHelpFile;
  bool FScaled = true;
  int FPixelsPerInch = 96;
  bool FDestroyRaised = false;
  TCanvas* FCanvas;
  rtl::TNotifyEvent FOnCreate, FOnDestroy, FOnShow, FOnHide, FOnActivate, FOnDeactivate, FOnPaint;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
};

class TForm : public TCustomForm {
  RTL_CLASS_INFO

public:
  using TCustomForm::TCustomForm;
};

// The application object: handles messages, runs timers, frees released forms.
class TApplication : public rtl::TComponent, protected platform::WindowEvents {
  RTL_CLASS_INFO

public:
  explicit TApplication(rtl::TComponent* owner = nullptr);
  ~TApplication() override;

  // Handles the waiting messages, then frees the forms released meanwhile.
  void ProcessMessages();
  // Minimizes the showing forms, and brings them back.
  void Minimize();
  void Restore();
  rtl::AnsiString ExeName() const;
  const rtl::AnsiString& Title() const noexcept { return FTitle; }
  void SetTitle(const rtl::AnsiString& v) { FTitle = v; }

  // Timers run on a hidden window of the thread that starts them, so that a form shown
  // on any thread gets its timers in its own message loop.
  void StartTimer(rtl::TObject* timer, std::uint32_t interval, std::function<void()> tick);
  void StopTimer(rtl::TObject* timer);
  // Queued by TCustomForm::Release.
  void ReleaseForm(TCustomForm* form);

protected:
  void PeerTimer(std::uintptr_t id) override;

private:
  platform::WindowPeer& Window();
  void FreeReleased();

  rtl::AnsiString FTitle;
  struct TTimerEntry {
    std::function<void()> Tick;
    platform::WindowPeer* Window = nullptr;
  };
  std::map<std::uint32_t, std::unique_ptr<platform::WindowPeer>> FWindows;  // by thread
  std::map<std::uintptr_t, TTimerEntry> FTimers;
  std::recursive_mutex FTimerLock;
  std::vector<TCustomForm*> FReleased;
};

// The process's application object.
TApplication* Application();
// The form shown modally last (the owner of dialogs opened meanwhile), or null.
TCustomForm* ActiveModalForm();
// The forms that are showing, the one shown last first.
std::vector<TCustomForm*> ShowingForms();

// The screen: its resolution and size.
struct TScreen {
  static int PixelsPerInch();
  static int Width();
  static int Height();
};

}  // namespace gui
