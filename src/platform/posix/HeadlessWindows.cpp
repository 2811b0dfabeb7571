// Headless window peers: they keep what a window would show (bounds, text, items,
// check state, focus, caret, scroll bar), paint into a recording surface when asked,
// and run their timers when the message pump is turned. Nothing is ever displayed.
#include <algorithm>
#include <chrono>
#include <map>
#include <set>

#include "platform/CommonDialogs.h"
#include "platform/WindowPeer.h"
#include "platform/posix/HeadlessCanvas.h"

namespace platform {

namespace {

class HeadlessPeer;

// All peers of the process; user-interface objects live on one thread.
std::set<HeadlessPeer*>& Peers() {
  static auto* peers = new std::set<HeadlessPeer*>();
  return *peers;
}
HeadlessPeer* gFocused = nullptr;
std::uintptr_t gNextHandle = 0x1000;

using Clock = std::chrono::steady_clock;

struct TimerState {
  std::uint32_t Interval;
  Clock::time_point Due;
};

struct TreeItem {
  TreeItemId Parent = 0;
  std::string Text;
  int Image = -1, SelectedImage = -1;
  bool Expanded = false;
};

class HeadlessPeer : public WindowPeer {
public:
  HeadlessPeer(PeerClass kind, const PeerStyle& style, HeadlessPeer* parent, WindowEvents* events)
      : FKind(kind), FStyle(style), FParent(parent), FEvents(events), FHandle(gNextHandle++) {
    Peers().insert(this);
  }
  ~HeadlessPeer() override {
    if (gFocused == this) gFocused = nullptr;
    Peers().erase(this);
  }

  std::uintptr_t Handle() const override { return FHandle; }
  PeerClass Class() const override { return FKind; }
  void SetBounds(int left, int top, int width, int height) override {
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left, FTop = top, FWidth = width, FHeight = height;
    if (resized) FDirty = true;
  }
  void ClientSize(int& width, int& height) const override {
    int frameX = 0, frameY = 0, caption = 0;
    if (FKind == PeerClass::Form) {
      const int border = FStyle.BorderStyle;
      if (border == 2 || border == 5) frameX = frameY = 4 + 4;
      else if (border != 0) frameX = frameY = 3 + 3;
      caption = border == 0 ? 0 : (border >= 4 ? 17 : 23);
    }
    if (FStyle.ClientEdge) frameX += 4, frameY += 4;
    if (FScrollVisible) frameX += 17;
    if (FHScrollVisible) frameY += 17;
    width = std::max(0, FWidth - frameX);
    height = std::max(0, FHeight - frameY - caption);
  }
  void SetVisible(bool visible) override {
    FVisible = visible;
    if (visible) FDirty = true;
    if (!visible && gFocused && IsWithin(gFocused)) SetFocusTo(nullptr);
  }
  bool Visible() const override { return FVisible; }
  void SetEnabled(bool enabled) override { FEnabled = enabled; }
  void SetText(const std::string& text) override { FText = text; FDirty = true; }
  std::string Text() const override { return FText; }
  void SetFont(const FontFace& font) override {
    FFont = font;
    FDirty = true;
  }
  void SetColor(RgbColor) override { FDirty = true; }
  void SetStyle(const PeerStyle& style) override { FStyle = style; FDirty = true; }
  void Invalidate() override { FDirty = true; }
  // The recording always holds a whole paint, so that tests see everything drawn.
  void InvalidateRect(int, int, int, int) override { FDirty = true; }
  void Update() override {
    if (!FDirty) return;
    FDirty = false;
    if (FKind != PeerClass::Custom && FKind != PeerClass::Form) return;
    posix::RecordingCanvas canvas;
    FEvents->PeerPaint(canvas);
    FLastPaint = canvas.TakeRecording();
  }
  void SetFocus() override { SetFocusTo(this); }
  bool Focused() const override { return gFocused == this; }
  void SetCaret(bool, int, int, int, int) override {}
  void SetScrollBar(bool visible, int, int, int) override { FScrollVisible = visible; }
  void SetHScrollBar(bool visible, int, int, int) override { FHScrollVisible = visible; }
  void SetCursorShape(int) override {}
  void SetMouseCapture(bool) override {}
  void BringToFront() override {}
  void SetChecked(int state) override { FChecked = state; }
  int Checked() const override { return FChecked; }
  void SetItems(const std::vector<std::string>& items) override {
    FItems = items;
    FItemIndex = -1;
  }
  void SetItemIndex(int index) override { FItemIndex = index >= 0 && index < static_cast<int>(FItems.size()) ? index : -1; }
  int ItemIndex() const override { return FItemIndex; }
  void SetDroppedDown(bool dropped) override { FDropped = dropped && !FItems.empty(); }
  bool DroppedDown() const override { return FDropped; }
  void SetMinimized(bool minimized) override { FMinimized = minimized; }
  TreeItemId TreeInsert(TreeItemId parent, TreeItemId, const std::string& text, int image, int selectedImage) override {
    const TreeItemId id = ++FLastItem;
    FTree[id] = {parent, text, image, selectedImage, false};
    return id;
  }
  void TreeDelete(TreeItemId item) override {
    std::vector<TreeItemId> children;
    for (const auto& [id, node] : FTree)
      if (node.Parent == item) children.push_back(id);
    for (TreeItemId c : children) TreeDelete(c);
    FTree.erase(item);
    if (FTreeSelected == item) FTreeSelected = 0;
    // The edit box goes with its item, unreported, as the native control does it.
    if (FLabelEditing && FLabelItem == item) FLabelEditing = false;
  }
  void TreeSetText(TreeItemId item, const std::string& text, int image, int selectedImage) override {
    auto it = FTree.find(item);
    if (it != FTree.end()) it->second.Text = text, it->second.Image = image, it->second.SelectedImage = selectedImage;
  }
  void TreeExpand(TreeItemId item, bool expanded) override {
    auto it = FTree.find(item);
    if (it != FTree.end()) it->second.Expanded = expanded;
  }
  void TreeSelect(TreeItemId item) override { FTreeSelected = item; }
  TreeItemId TreeSelected() const override { return FTreeSelected; }
  void TreeMakeVisible(TreeItemId) override {}
  // The shown items are rows of the item height in display order, each label
  // indented by its level and as wide as its text in the fixed metrics.
  TreeItemId TreeItemAt(int x, int y) const override {
    if (x < 0 || y < 0 || x >= FWidth) return 0;
    const std::vector<std::pair<TreeItemId, int>> rows = ShownTreeItems();
    const std::size_t row = static_cast<std::size_t>(y / kItemHeight);
    return row < rows.size() ? rows[row].first : 0;
  }
  bool TreeItemRect(TreeItemId item, int& left, int& top, int& right, int& bottom) const override {
    const std::vector<std::pair<TreeItemId, int>> rows = ShownTreeItems();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].first != item) continue;
      left = (rows[i].second + 1) * FStyle.TreeIndent;
      right = left + 6 * static_cast<int>(FTree.at(item).Text.size()) + 4;
      top = static_cast<int>(i) * kItemHeight;
      bottom = top + kItemHeight;
      return true;
    }
    return false;
  }
  // (item, level) of every item whose parents are all expanded, in display order.
  std::vector<std::pair<TreeItemId, int>> ShownTreeItems() const {
    std::map<TreeItemId, std::vector<TreeItemId>> children;
    for (const auto& [id, node] : FTree) children[node.Parent].push_back(id);
    std::vector<std::pair<TreeItemId, int>> rows;
    std::function<void(TreeItemId, int)> walk = [&](TreeItemId parent, int level) {
      const auto it = children.find(parent);
      if (it == children.end()) return;
      for (TreeItemId id : it->second) {
        rows.emplace_back(id, level);
        if (FTree.at(id).Expanded) walk(id, level + 1);
      }
    };
    walk(0, 0);
    return rows;
  }
  void SetTreeImages(const std::vector<CanvasPeer*>& images, int, int) override { FTreeImages = images.size(); }
  void SetRange(int min, int max, int position) override {
    FMin = min, FMax = max < min ? min : max;
    FPosition = std::clamp(position, FMin, FMax);
  }
  int Position() const override { return FPosition; }
  void DisplayRect(int& left, int& top, int& right, int& bottom) const override {
    left = 0, top = 0, right = FWidth, bottom = FHeight;
    int strip = 0;
    TabLayout(&strip);
    switch (FStyle.TabSide) {
      case 1: bottom -= strip; break;
      case 2: left += strip; break;
      case 3: right -= strip; break;
      default: top += strip; break;
    }
    left += kTabBorder, top += kTabBorder;
    right = std::max(left, right - kTabBorder), bottom = std::max(top, bottom - kTabBorder);
  }
  bool TabRect(int index, int& left, int& top, int& right, int& bottom) const override {
    if (FKind != PeerClass::TabControl) return false;
    const std::vector<PixelRect> tabs = TabLayout(nullptr);
    if (index < 0 || index >= static_cast<int>(tabs.size())) return false;
    const PixelRect& r = tabs[static_cast<std::size_t>(index)];
    left = r.Left, top = r.Top, right = r.Right, bottom = r.Bottom;
    return true;
  }
  void SetPanels(const std::vector<StatusPanelInfo>& panels) override { FPanels = panels; FDirty = true; }
  void SetColumns(const std::vector<ListColumnInfo>& columns) override { FColumns = columns; }
  void SetListItems(const std::vector<ListItemInfo>& items) override {
    FItems.clear();
    FChecks.clear();
    for (const ListItemInfo& item : items) {
      FItems.push_back(item.Texts.empty() ? std::string() : item.Texts.front());
      FChecks.push_back(item.Checked);
    }
    if (FItemIndex >= static_cast<int>(FItems.size())) FItemIndex = -1;
    if (FLabelEditing && FLabelItem >= static_cast<std::intptr_t>(FItems.size())) FLabelEditing = false;
  }
  void SetItemChecked(int index, bool checked) override {
    if (index < 0) return;
    if (static_cast<std::size_t>(index) >= FChecks.size()) FChecks.resize(static_cast<std::size_t>(index) + 1);
    FChecks[static_cast<std::size_t>(index)] = checked;
  }
  bool ItemChecked(int index) const override {
    return index >= 0 && static_cast<std::size_t>(index) < FChecks.size() && FChecks[static_cast<std::size_t>(index)];
  }
  bool EditLabel(std::intptr_t item) override {
    std::string label;
    if (FKind == PeerClass::TreeView) {
      const auto it = FTree.find(item);
      if (it == FTree.end()) return false;
      label = it->second.Text;
    } else if (FKind == PeerClass::ListView) {
      // A list view edits labels only with the style that allows it.
      if (FStyle.ReadOnly || item < 0 || item >= static_cast<std::intptr_t>(FItems.size())) return false;
      label = FItems[static_cast<std::size_t>(item)];
    } else {
      return false;
    }
    // One edit box at a time: an open one is confirmed first.
    FinishLabelEdit(true);
    if (!Peers().count(this) || !FEvents->PeerLabelEditing(item)) return false;
    if (!Peers().count(this)) return false;
    FLabelEditing = true;
    FLabelItem = item;
    FLabelText = label;
    // The item being edited becomes the selected one, as in the native controls.
    const bool tree = FKind == PeerClass::TreeView;
    if (tree ? FTreeSelected != item : FItemIndex != item) {
      if (tree) FTreeSelected = item;
      else FItemIndex = static_cast<int>(item);
      FEvents->PeerChanged();
      if (!Peers().count(this)) return false;
    }
    SetFocusTo(this);
    return FLabelEditing;
  }
  int ItemAt(int x, int y) const override {
    if (x < 0 || y < 0 || x >= FWidth) return -1;
    const int top = FKind == PeerClass::ListView && FStyle.ViewStyle == 3 ? kHeaderHeight : 0;
    if (y < top) return -1;
    const int index = (y - top) / kItemHeight;
    return index < static_cast<int>(FItems.size()) ? index : -1;
  }
  void SetDate(double date) override { FDate = date; }
  double Date() const override { return FDate; }
  void StartTimer(std::uintptr_t id, std::uint32_t interval) override {
    FTimers[id] = {interval, Clock::now() + std::chrono::milliseconds(interval)};
  }
  void StopTimer(std::uintptr_t id) override { FTimers.erase(id); }
  void ClientToScreen(int& x, int& y) const override {
    for (const HeadlessPeer* p = this; p; p = p->FParent) x += p->FLeft, y += p->FTop;
  }
  const std::vector<DrawOp>* LastPaint() const override { return &FLastPaint; }

  WindowEvents* Events() const { return FEvents; }
  // The open label edit box's text; null when none is open.
  std::string* LabelEdit() { return FLabelEditing ? &FLabelText : nullptr; }
  // Closes the label edit box and reports it: accepted or cancelled. The peer may be
  // gone when this returns.
  bool FinishLabelEdit(bool accepted) {
    if (!FLabelEditing) return false;
    FLabelEditing = false;
    const std::string text = std::move(FLabelText);
    FLabelText.clear();
    FEvents->PeerLabelEdited(FLabelItem, accepted, text);
    return true;
  }
  // A key while a label is being edited goes to its edit box: characters are typed
  // into it, Enter confirms, Escape cancels.
  void LabelEditKey(std::uint16_t key, char ch) {
    if (key == 13) {
      FinishLabelEdit(true);
    } else if (key == 27) {
      FinishLabelEdit(false);
    } else if (ch == '\b') {
      if (!FLabelText.empty()) FLabelText.pop_back();
    } else if (static_cast<unsigned char>(ch) >= 32) {
      FLabelText += ch;
    }
  }
  // What a native edit does with a typed character: appends it (Backspace removes
  // the last one) and reports the change.
  void TypeCharacter(char ch) {
    if (FKind != PeerClass::Edit && FKind != PeerClass::Memo && FKind != PeerClass::RichEdit && FKind != PeerClass::ComboBox) return;
    if (FStyle.ReadOnly) return;
    if (ch == '\b') {
      if (FText.empty()) return;
      FText.pop_back();
    } else if (ch == '\r') {
      if (FKind != PeerClass::Memo && FKind != PeerClass::RichEdit) return;
      FText += "\r\n";
    } else if (static_cast<unsigned char>(ch) >= 32) {
      FText += ch;
    } else {
      return;
    }
    FEvents->PeerChanged();
  }
  // What the native control does with a key the toolkit left to it: lists and tabs
  // move their selection, track bars their position.
  void NativeKey(std::uint16_t key) {
    int step = 0;
    switch (key) {
      case 37: case 38: step = -1; break;  // left, up
      case 39: case 40: step = 1; break;   // right, down
      case 33: step = -10; break;          // page up
      case 34: step = 10; break;           // page down
      case 36: step = -1000000; break;     // home
      case 35: step = 1000000; break;      // end
      default: return;
    }
    if (FKind == PeerClass::TrackBar) {
      const int pos = std::clamp(FPosition + (step == 10 || step == -10 ? step / 10 * std::max(1, (FMax - FMin) / 5) : step),
                                 FMin, FMax);
      if (pos == FPosition) return;
      FPosition = pos;
      FEvents->PeerScrolled(pos);
      return;
    }
    if (FKind != PeerClass::ListBox && FKind != PeerClass::CheckListBox && FKind != PeerClass::ListView &&
        FKind != PeerClass::TabControl)
      return;
    if (FItems.empty()) return;
    if (FKind == PeerClass::TabControl && (key == 38 || key == 40 || key == 33 || key == 34)) return;
    const int last = static_cast<int>(FItems.size()) - 1;
    const int index = FItemIndex < 0 ? 0 : std::clamp(FItemIndex + step, 0, last);
    if (index == FItemIndex) return;
    FItemIndex = index;
    FEvents->PeerChanged();
  }
  // A press on a list selects the item under it, as the native control does.
  void NativeMouseDown(int x, int y) {
    if (FKind == PeerClass::TreeView) {
      // The native tree selects the item pressed with the left button.
      const TreeItemId item = TreeItemAt(x, y);
      if (!item || item == FTreeSelected) return;
      FTreeSelected = item;
      FEvents->PeerChanged();
      return;
    }
    if (FKind != PeerClass::ListBox && FKind != PeerClass::CheckListBox && FKind != PeerClass::ListView) return;
    const int index = ItemAt(x, y);
    if (index < 0 || index == FItemIndex) return;
    FItemIndex = index;
    FEvents->PeerChanged();
  }
  bool Showing() const {
    for (const HeadlessPeer* p = this; p; p = p->FParent)
      if (!p->FVisible) return false;
    return true;
  }
  void RunDueTimers() {
    const auto now = Clock::now();
    std::vector<std::uintptr_t> due;
    for (auto& [id, t] : FTimers)
      if (now >= t.Due) {
        due.push_back(id);
        t.Due = now + std::chrono::milliseconds(t.Interval);
      }
    for (std::uintptr_t id : due)
      if (Peers().count(this) && FTimers.count(id)) FEvents->PeerTimer(id);
  }

private:
  // The tabs' rectangles and how far they reach into the control (depth), laid out as
  // the system's tab control lays them out: a row is the text's height and a margin, a
  // tab as long as its text and the padding; tabs at the top or bottom stay in one row
  // (arrows scroll them), tabs at a side wrap into further columns when they would
  // pass the side's length.
  std::vector<PixelRect> TabLayout(int* depth) const {
    const TextSize cell = posix::HeadlessCharCell(FFont);
    const int row = cell.Height + kTabRowMargin;
    const int side = FStyle.TabSide;
    const bool vertical = side == 2 || side == 3;
    const int room = (vertical ? FHeight : FWidth) - 2 * kTabBorder;
    std::vector<PixelRect> tabs;
    int line = 0, used = 0;
    for (const std::string& text : FItems) {
      const int length = cell.Width * static_cast<int>(text.size()) + 2 * kTabPadding;
      if (vertical && used > 0 && used + length > room) ++line, used = 0;
      // Across the strip: from the control's edge inwards, line by line.
      const int edge = line * row, inner = edge + row;
      const int from = kTabBorder + used, to = from + length;
      switch (side) {
        case 1: tabs.push_back({from, FHeight - inner, to, FHeight - edge}); break;
        case 2: tabs.push_back({edge, from, inner, to}); break;
        case 3: tabs.push_back({FWidth - inner, from, FWidth - edge, to}); break;
        default: tabs.push_back({from, edge, to, inner}); break;
      }
      used += length;
    }
    if (depth) *depth = (line + 1) * row;
    return tabs;
  }
  bool IsWithin(const HeadlessPeer* p) const {
    for (; p; p = p->FParent)
      if (p == this) return true;
    return false;
  }
  static void SetFocusTo(HeadlessPeer* peer) {
    if (gFocused == peer) return;
    HeadlessPeer* old = gFocused;
    gFocused = peer;
    // A label edit box that loses the focus keeps its text, as the native one does.
    if (old && old->FLabelEditing) old->FinishLabelEdit(true);
    if (old && Peers().count(old)) old->FEvents->PeerFocusChanged(false);
    if (peer && gFocused == peer) peer->FEvents->PeerFocusChanged(true);
  }

  PeerClass FKind;
  PeerStyle FStyle;
  HeadlessPeer* FParent;
  WindowEvents* FEvents;
  std::uintptr_t FHandle;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = false, FEnabled = true, FDirty = true, FScrollVisible = false, FHScrollVisible = false;
  std::string FText;
  int FChecked = 0;
  std::vector<std::string> FItems;
  int FItemIndex = -1;
  std::map<TreeItemId, TreeItem> FTree;
  TreeItemId FLastItem = 0, FTreeSelected = 0;
  std::size_t FTreeImages = 0;
  bool FDropped = false, FMinimized = false;
  std::map<std::uintptr_t, TimerState> FTimers;
  std::vector<DrawOp> FLastPaint;
  int FMin = 0, FMax = 100, FPosition = 0;
  std::vector<StatusPanelInfo> FPanels;
  std::vector<ListColumnInfo> FColumns;
  std::vector<bool> FChecks;
  double FDate = 0;
  bool FLabelEditing = false;
  std::intptr_t FLabelItem = 0;
  std::string FLabelText;
  // Fixed metrics of the headless lists and tabs.
  static constexpr int kItemHeight = 16, kHeaderHeight = 20, kTabRowMargin = 9, kTabPadding = 6, kTabBorder = 4;
  FontFace FFont;
};

}  // namespace

std::unique_ptr<WindowPeer> CreateWindowPeer(PeerClass kind, const PeerStyle& style, WindowPeer* parent,
                                             WindowEvents* events) {
  return std::make_unique<HeadlessPeer>(kind, style, static_cast<HeadlessPeer*>(parent), events);
}

int ScreenPixelsPerInch() { return 96; }

void ScreenSize(int& width, int& height) {
  width = 1280;
  height = 1024;
}

ScreenRect DesktopRect() {
  int w = 0, h = 0;
  ScreenSize(w, h);
  return {0, 0, w, h};
}

// Headless windows have no place on a screen; owner windows are the host's.
bool WindowRectOf(std::uintptr_t, ScreenRect&) { return false; }

bool MonitorAtCursor(ScreenRect& rect) {
  rect = DesktopRect();
  return true;
}

void ProcessGuiMessages() {
  // Copies: a timer or a paint may create or free windows.
  std::vector<HeadlessPeer*> peers(Peers().begin(), Peers().end());
  for (HeadlessPeer* p : peers)
    if (Peers().count(p)) p->RunDueTimers();
  peers.assign(Peers().begin(), Peers().end());
  for (HeadlessPeer* p : peers)
    if (Peers().count(p) && p->Showing()) p->Update();
}

bool RunModalLoop(WindowPeer&, const std::function<bool()>&) { return false; }

bool HasDisplay() { return false; }

void SendUserInput(WindowPeer& window, const UserInput& input) {
  WindowEvents* events = static_cast<HeadlessPeer&>(window).Events();
  switch (input.Kind) {
    case UserInput::Key: {
      if (static_cast<HeadlessPeer&>(window).LabelEdit()) {
        static_cast<HeadlessPeer&>(window).LabelEditKey(input.VirtualKey, input.Char);
        break;
      }
      std::uint16_t key = input.VirtualKey;
      const bool handled = key != 0 && events->PeerKeyDown(key, input.Shift);
      if (!handled && key != 0) static_cast<HeadlessPeer&>(window).NativeKey(key);
      if (!Peers().count(static_cast<HeadlessPeer*>(&window))) return;
      if (input.Char && !handled) {
        char ch = input.Char;
        if (!events->PeerKeyChar(ch)) static_cast<HeadlessPeer&>(window).TypeCharacter(ch);
      }
      if (!Peers().count(static_cast<HeadlessPeer*>(&window))) return;
      key = input.VirtualKey;
      if (key) events->PeerKeyUp(key, input.Shift);
      break;
    }
    case UserInput::MouseDown:
      events->PeerMouseDown(input.Button, input.Shift, input.X, input.Y);
      if (input.Button == MouseButton::Left && Peers().count(static_cast<HeadlessPeer*>(&window)))
        static_cast<HeadlessPeer&>(window).NativeMouseDown(input.X, input.Y);
      break;
    case UserInput::Click:
      events->PeerMouseDown(input.Button, input.Shift, input.X, input.Y);
      if (!Peers().count(static_cast<HeadlessPeer*>(&window))) return;
      if (input.Button == MouseButton::Left) static_cast<HeadlessPeer&>(window).NativeMouseDown(input.X, input.Y);
      if (!Peers().count(static_cast<HeadlessPeer*>(&window))) return;
      events->PeerMouseUp(input.Button, input.Shift, input.X, input.Y);
      break;
    case UserInput::MouseMove: events->PeerMouseMove(input.Shift, input.X, input.Y); break;
    case UserInput::MouseUp: events->PeerMouseUp(input.Button, input.Shift, input.X, input.Y); break;
    case UserInput::DblClick:
      events->PeerMouseDown(input.Button, input.Shift, input.X, input.Y);
      if (!Peers().count(static_cast<HeadlessPeer*>(&window))) return;
      if (input.Button == MouseButton::Left) static_cast<HeadlessPeer&>(window).NativeMouseDown(input.X, input.Y);
      events->PeerMouseUp(input.Button, input.Shift, input.X, input.Y);
      events->PeerDblClick(input.Button, input.Shift | kDouble, input.X, input.Y);
      events->PeerMouseUp(input.Button, input.Shift, input.X, input.Y);
      break;
    case UserInput::Wheel: events->PeerMouseWheel(input.Delta, input.Shift, input.X, input.Y); break;
  }
}

bool LabelEditText(WindowPeer& view, std::string& text) {
  const std::string* box = static_cast<HeadlessPeer&>(view).LabelEdit();
  if (box) text = *box;
  return box != nullptr;
}

bool SetLabelEditText(WindowPeer& view, const std::string& text) {
  std::string* box = static_cast<HeadlessPeer&>(view).LabelEdit();
  if (box) *box = text;
  return box != nullptr;
}

bool EndLabelEdit(WindowPeer& view, bool confirm) { return static_cast<HeadlessPeer&>(view).FinishLabelEdit(confirm); }

bool CaptureWindowBmp(WindowPeer&, const std::string&) { return false; }
bool CaptureWindowHandleBmp(std::uintptr_t, const std::string&) { return false; }
std::uintptr_t InputWindowOfThread() { return 0; }
void RedrawWindowNow(std::uintptr_t) {}
void RequestWindowClose(std::uintptr_t) {}
bool ResizeWindow(std::uintptr_t, int, int) { return false; }
int WheelScrollLines() { return 3; }

int ShowPopupMenu(WindowPeer&, const std::vector<std::string>&, const std::vector<bool>&, int, int) { return -2; }

std::optional<bool> RunFileDialog(WindowHandle, FileDialogRequest&) { return std::nullopt; }
std::optional<bool> RunColorDialog(WindowHandle, ColorDialogRequest&) { return std::nullopt; }
bool PressDialogButton(const std::string&, const std::string&) { return false; }
std::optional<bool> RunFontDialog(WindowHandle, FontDialogRequest&) { return std::nullopt; }
std::optional<bool> RunPrintDialog(WindowHandle, PrintDialogRequest&) { return std::nullopt; }

std::optional<int> RunMessageBox(WindowHandle, const std::string&, const std::string&, int, int) { return std::nullopt; }

}  // namespace platform
