// Native windows behind the toolkit's controls. The toolkit owns every behaviour
// (layout, focus, tab order, key preview, modal results); a peer only creates, moves,
// shows and paints a window and reports what the user did through WindowEvents.
// Windows: real windows of the system's control classes, and one class of ours for
// controls that paint themselves. POSIX: headless peers that keep the same state.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace platform {

enum class PeerClass {
  Form,         // a top-level window
  Custom,       // a child that the toolkit paints (panels, custom controls, splitters)
  Button,
  CheckBox,
  RadioButton,
  GroupBox,
  Label,
  Edit,
  Memo,
  ComboBox,      // with a free-text field
  ComboList,     // a drop-down list without free text
  ListBox,
  TreeView,
  CheckListBox,   // a list box with a check box before each item
  RichEdit,       // a multi-line edit of the system's rich text class
  TabControl,     // a row of tabs; the pages below are the toolkit's
  StatusBar,
  TrackBar,
  ProgressBar,
  ListView,
  DateTimePicker,
  MonthCalendar,
};

// One panel of a status bar.
struct StatusPanelInfo {
  std::string Text;
  int Width = 50;      // -1: to the right edge
  int Alignment = 0;   // 0 left, 1 right, 2 centre
  int Bevel = 1;       // 0 none, 1 lowered, 2 raised
};

// One column of a list view's report view.
struct ListColumnInfo {
  std::string Caption;
  int Width = 50;
  int Alignment = 0;
};

// One item of a list view: its caption and sub-item texts.
struct ListItemInfo {
  std::vector<std::string> Texts;
  int Image = -1;
  bool Checked = false;
};

// Shift state bits, as the toolkit's TShiftState orders them.
enum : std::uint32_t {
  kShift = 1, kAlt = 2, kCtrl = 4, kLeftButton = 8, kRightButton = 16, kMiddleButton = 32, kDouble = 64,
};
enum class MouseButton { Left, Right, Middle };

struct PeerStyle {
  bool ClientEdge = false;   // sunken edge
  bool VScroll = false;      // a vertical scroll bar (hidden until set)
  bool HScroll = false;      // a horizontal scroll bar (hidden until set)
  bool WordWrap = false;     // labels, memos
  int Alignment = 0;         // 0 left, 1 right, 2 centre
  bool CentreVertically = false;
  bool ReadOnly = false;
  bool DefaultButton = false;
  // Forms: 0 none, 1 single, 2 sizeable, 3 dialog, 4 tool window, 5 sizeable tool window.
  int BorderStyle = 2;
  bool SystemMenu = true, Minimize = true, Maximize = true, Help = false;
  bool ShowSelectionAlways = false;
  int TreeIndent = 19;
  bool Vertical = false;     // track bars and progress bars
  int Ticks = 1;             // track bars: 0 none, 1 automatic tick marks
  int ViewStyle = 3;         // list views: 0 icons, 1 small icons, 2 list, 3 report
  bool CheckBoxes = false;   // list views
  bool RowSelect = false;    // list views
  bool GridLines = false;    // list views
  bool TimeOnly = false;     // date-time pickers: a time instead of a date
  bool LongDate = false;     // date-time pickers
  bool SimplePanel = false;  // status bars: one text instead of the panels
  bool SizeGrip = true;      // status bars
  bool ButtonTabs = false;   // tab controls: tabs drawn as buttons
  int TabSide = 0;           // tab controls: the tabs at 0 the top, 1 the bottom, 2 the left, 3 the right
  bool Smooth = false;       // progress bars
};

// What a peer reports. Key handlers return true when the toolkit handled the key
// (the native control then does not see it).
class WindowEvents {
public:
  virtual void PeerPaint(CanvasPeer& canvas) {}
  virtual bool PeerKeyDown(std::uint16_t& key, std::uint32_t shift) { return false; }
  virtual bool PeerKeyChar(char& ch) { return false; }
  virtual bool PeerKeyUp(std::uint16_t& key, std::uint32_t shift) { return false; }
  virtual void PeerMouseDown(MouseButton button, std::uint32_t shift, int x, int y) {}
  virtual void PeerMouseMove(std::uint32_t shift, int x, int y) {}
  virtual void PeerMouseUp(MouseButton button, std::uint32_t shift, int x, int y) {}
  virtual void PeerDblClick(MouseButton button, std::uint32_t shift, int x, int y) {}
  virtual void PeerMouseWheel(int delta, std::uint32_t shift, int x, int y) {}
  virtual void PeerMouseEnter() {}
  virtual void PeerMouseLeave() {}
  // A button was pressed, a check box or radio button toggled by the user.
  virtual void PeerClicked() {}
  // The user changed the text of an edit, the selection of a list, combo box or tree.
  virtual void PeerChanged() {}
  virtual void PeerFocusChanged(bool gained) {}
  // A top-level window was moved or resized by the user or the system.
  virtual void PeerBoundsChanged(int left, int top, int width, int height) {}
  // The close box or Alt+F4: the toolkit decides.
  virtual void PeerCloseRequest() {}
  virtual void PeerScrolled(int position) {}
  // The user moved the horizontal scroll bar of a window that paints itself.
  virtual void PeerHScrolled(int position) {}
  virtual void PeerTreeExpanded(std::intptr_t item, bool expanded) {}
  // The user checked or cleared an item's check box (list views).
  virtual void PeerItemChecked(int index, bool checked) {}
  // A timer of this window elapsed.
  virtual void PeerTimer(std::uintptr_t id) {}
  // In-place editing of a tree item's or list item's label (item: the tree item, or
  // the list item's index). Editing is about to start: false refuses it.
  virtual bool PeerLabelEditing(std::intptr_t item) { return false; }
  // The edit ended: accepted with the text of its edit box, or cancelled. The control
  // itself keeps the old label; the toolkit sets the new one.
  virtual void PeerLabelEdited(std::intptr_t item, bool accepted, const std::string& text) {}
};

// One tree item as the tree peer knows it.
using TreeItemId = std::intptr_t;

class WindowPeer {
public:
  virtual ~WindowPeer() = default;
  virtual std::uintptr_t Handle() const = 0;
  virtual PeerClass Class() const = 0;
  // Relative to the parent's client area; top-level windows to the screen.
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  virtual void ClientSize(int& width, int& height) const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
  virtual void SetFont(const FontFace& font) = 0;
  virtual void SetColor(RgbColor color) = 0;
  virtual void SetStyle(const PeerStyle& style) = 0;
  virtual void Invalidate() = 0;
  // Only a part of the client area needs painting.
  virtual void InvalidateRect(int left, int top, int right, int bottom) = 0;
  // Paints at once what is invalid.
  virtual void Update() = 0;
  virtual void SetFocus() = 0;
  virtual bool Focused() const = 0;
  // The blinking text caret of a focused window.
  virtual void SetCaret(bool shown, int x, int y, int width, int height) = 0;
  // A vertical scroll bar: hidden when not visible.
  virtual void SetScrollBar(bool visible, int max, int page, int position) = 0;
  // The horizontal one, likewise.
  virtual void SetHScrollBar(bool visible, int max, int page, int position) = 0;
  virtual void SetCursorShape(int cursor) = 0;
  virtual void SetMouseCapture(bool capture) = 0;
  virtual void BringToFront() = 0;
  // Check boxes and radio buttons: 0 unchecked, 1 checked, 2 grayed.
  virtual void SetChecked(int state) = 0;
  virtual int Checked() const = 0;
  // Lists and combo boxes.
  virtual void SetItems(const std::vector<std::string>& items) = 0;
  virtual void SetItemIndex(int index) = 0;
  virtual int ItemIndex() const = 0;
  // A combo box's list shown or hidden.
  virtual void SetDroppedDown(bool dropped) = 0;
  virtual bool DroppedDown() const = 0;
  // Top-level windows: minimized or back to normal.
  virtual void SetMinimized(bool minimized) = 0;
  // Trees. Insert returns the new item (after: 0 first, -1 last).
  virtual TreeItemId TreeInsert(TreeItemId parent, TreeItemId after, const std::string& text, int image, int selectedImage) = 0;
  virtual void TreeDelete(TreeItemId item) = 0;
  virtual void TreeSetText(TreeItemId item, const std::string& text, int image, int selectedImage) = 0;
  virtual void TreeExpand(TreeItemId item, bool expanded) = 0;
  virtual void TreeSelect(TreeItemId item) = 0;
  virtual TreeItemId TreeSelected() const = 0;
  virtual void TreeMakeVisible(TreeItemId item) = 0;
  // The item shown at a client point (0 for none), and the rectangle of an item's
  // label in client coordinates (false when the item is not shown).
  virtual TreeItemId TreeItemAt(int x, int y) const = 0;
  virtual bool TreeItemRect(TreeItemId item, int& left, int& top, int& right, int& bottom) const = 0;
  // The pictures a tree shows by index (memory surfaces of width x height); none
  // when empty.
  virtual void SetTreeImages(const std::vector<CanvasPeer*>& images, int width, int height) = 0;
  // Track bars and progress bars: range and position. A track bar reports the user's
  // moves through PeerScrolled.
  virtual void SetRange(int min, int max, int position) = 0;
  virtual int Position() const = 0;
  // Tab controls show the texts of SetItems as tabs and the selected one by
  // SetItemIndex (changes by the user come as PeerChanged); the rectangle beside the
  // tabs (on the side PeerStyle::TabSide names) where the pages go.
  virtual void DisplayRect(int& left, int& top, int& right, int& bottom) const = 0;
  // A tab's rectangle in client coordinates; false for no such tab.
  virtual bool TabRect(int index, int& left, int& top, int& right, int& bottom) const = 0;
  // Status bars.
  virtual void SetPanels(const std::vector<StatusPanelInfo>& panels) = 0;
  // List views: columns and items; the selected item through SetItemIndex and
  // ItemIndex (changes by the user come as PeerChanged).
  virtual void SetColumns(const std::vector<ListColumnInfo>& columns) = 0;
  virtual void SetListItems(const std::vector<ListItemInfo>& items) = 0;
  // Check boxes of list views and check list boxes.
  virtual void SetItemChecked(int index, bool checked) = 0;
  virtual bool ItemChecked(int index) const = 0;
  // Trees and list views: the label of an item (a tree item, a list item's index)
  // turns into an edit box, once PeerLabelEditing allowed it; false when it did not
  // start. The end comes as PeerLabelEdited.
  virtual bool EditLabel(std::intptr_t item) = 0;
  // The item at a client point of a list, or -1.
  virtual int ItemAt(int x, int y) const = 0;
  // Date-time pickers and month calendars: the day count from 30 December 1899, the
  // fraction being the time of day (changes by the user come as PeerChanged).
  virtual void SetDate(double date) = 0;
  virtual double Date() const = 0;
  // Timers owned by the window (PeerTimer reports them); interval in milliseconds.
  virtual void StartTimer(std::uintptr_t id, std::uint32_t interval) = 0;
  virtual void StopTimer(std::uintptr_t id) = 0;
  // Screen position of a client point.
  virtual void ClientToScreen(int& x, int& y) const = 0;
  // The operations of the last paint on the headless build; null on Windows.
  virtual const std::vector<DrawOp>* LastPaint() const { return nullptr; }
};

// A new window; parent is null for top-level windows. The peer starts hidden.
std::unique_ptr<WindowPeer> CreateWindowPeer(PeerClass kind, const PeerStyle& style, WindowPeer* parent,
                                             WindowEvents* events);

// The lines one notch of the mouse wheel scrolls, as the user set it (3 by default);
// -1 for a page.
int WheelScrollLines();
// The screen's pixels per logical inch (96 at 100 %).
int ScreenPixelsPerInch();
void ScreenSize(int& width, int& height);
// A rectangle in screen pixels (right and bottom excluded).
struct ScreenRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
// The rectangle that all monitors together cover.
ScreenRect DesktopRect();
// A top-level window's rectangle, frame included; false for no such window.
bool WindowRectOf(std::uintptr_t window, ScreenRect& rect);
// The monitor nearest to the mouse pointer; false when it cannot be had.
bool MonitorAtCursor(ScreenRect& rect);

// Handles the waiting user-interface messages of the calling thread (timers
// included) and returns.
void ProcessGuiMessages();
// Waits for and handles messages until done() says so, keeping the process's other
// top-level windows of the thread disabled meanwhile; false (at once) when this build
// has no display.
bool RunModalLoop(WindowPeer& window, const std::function<bool()>& done);
// Whether windows are really shown (false on the headless build).
bool HasDisplay();

// Simulated user input, delivered as the system would deliver it: real window
// messages on Windows (with the modifier keys' state set meanwhile), the peer's events
// on POSIX. For tests and for tools that drive a window.
struct UserInput {
  // Click: a press and its release, both queued as a user's click queues them (a
  // control may wait for the release inside its handling of the press).
  enum InputKind { Key, MouseDown, MouseMove, MouseUp, DblClick, Wheel, Click } Kind = Key;
  std::uint16_t VirtualKey = 0;  // Key
  char Char = 0;                 // Key: the character typed with it, 0 for none
  std::uint32_t Shift = 0;
  MouseButton Button = MouseButton::Left;
  int X = 0, Y = 0, Delta = 0;
};
void SendUserInput(WindowPeer& window, const UserInput& input);
// The label edit box of a tree or list view, as the user works it: whether one is
// open and its text; its text replaced (Windows: WM_SETTEXT to the edit box the
// control returns); Enter (confirm) or Escape pressed in it. False when no label of
// this view is being edited.
bool LabelEditText(WindowPeer& view, std::string& text);
bool SetLabelEditText(WindowPeer& view, const std::string& text);
bool EndLabelEdit(WindowPeer& view, bool confirm);
// Clicks the button whose text (without its "&" marks) is buttonText in the system
// dialog (message box, common dialog) that the calling thread shows with the given
// caption, as a user's click would; false when no such dialog or button is showing
// (always on POSIX, which shows none).
bool PressDialogButton(const std::string& caption, const std::string& buttonText);

// The window's current look as a 24-bit BMP file (Windows: the window's pixels on
// screen, frame included); false when this build cannot.
bool CaptureWindowBmp(WindowPeer& window, const std::string& fileName);
// The same for any top-level window of the process by its handle (a dialog that
// another module of the process shows).
bool CaptureWindowHandleBmp(std::uintptr_t window, const std::string& fileName);
// The calling thread's top-level window that takes input now (a modal dialog while it
// runs), whether or not another program holds the activation; 0 for none or on the
// headless build.
std::uintptr_t InputWindowOfThread();
// Paints what waits to be painted in a window and its children, now.
void RedrawWindowNow(std::uintptr_t window);
// Asks a window to close, as its close box does.
void RequestWindowClose(std::uintptr_t window);
// Gives a top-level window a new size (frame included), as the user's drag of its
// edge does; false when this build has no such window.
bool ResizeWindow(std::uintptr_t window, int width, int height);

// Shows a popup menu of texts (a "-" is a separator) at a screen point and waits;
// the chosen index, -1 for none, -2 when this build has no display.
int ShowPopupMenu(WindowPeer& owner, const std::vector<std::string>& items, const std::vector<bool>& enabled, int x, int y);

}  // namespace platform
