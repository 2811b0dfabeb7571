// Win32 window peers: system control classes for the standard controls, one window
// class of ours for everything the toolkit paints (forms, panels, custom controls),
// GDI for painting with a back buffer, and a modal loop that keeps the thread's other
// windows disabled. Messages become WindowEvents; the toolkit decides what they do.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/WindowPeer.h"
#include "platform/win32/GdiCanvas.h"

namespace platform {

namespace {

using win32::Wide;
using win32::Ansi;

const wchar_t* const kCustomClass = L"VelmoraWindow";
const wchar_t* const kPeerProp = L"VelmoraPeer";

HINSTANCE ModuleInstance() {
  static HINSTANCE instance = [] {
    HMODULE m = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleInstance), &m);
    return m;
  }();
  return instance;
}

LRESULT CALLBACK CustomProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

void RegisterCustomClass() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                             ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    // A size change repaints the whole window: what the toolkit paints (the editor's
    // footer, a panel's edges) depends on the size, not only the uncovered part does.
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &CustomProc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kCustomClass;
    RegisterClassExW(&wc);
    return true;
  }();
  (void)done;
}

std::uint32_t ShiftFromKeys() {
  std::uint32_t s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= kAlt;
  return s;
}

std::uint32_t ShiftFromMouse(WPARAM wParam) {
  std::uint32_t s = 0;
  if (wParam & MK_SHIFT) s |= kShift;
  if (wParam & MK_CONTROL) s |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= kAlt;
  if (wParam & MK_LBUTTON) s |= kLeftButton;
  if (wParam & MK_RBUTTON) s |= kRightButton;
  if (wParam & MK_MBUTTON) s |= kMiddleButton;
  return s;
}

// Date values and the system's date records.
SYSTEMTIME SystemTimeOf(double date) {
  SYSTEMTIME st{};
  if (!VariantTimeToSystemTime(date, &st)) VariantTimeToSystemTime(0, &st);
  return st;
}
double DateOf(const SYSTEMTIME& st) {
  double date = 0;
  SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&st), &date);
  return date;
}

// The item height of our check list boxes, and the width of their check box column.
constexpr int kCheckItemHeight = 16, kCheckWidth = 16;

class Win32Peer;
Win32Peer* PeerOf(HWND hwnd) { return reinterpret_cast<Win32Peer*>(GetPropW(hwnd, kPeerProp)); }

class Win32Peer : public WindowPeer {
public:
  Win32Peer(PeerClass kind, const PeerStyle& style, Win32Peer* parent, WindowEvents* events)
      : FKind(kind), FStyle(style), FParent(parent), FEvents(events) {
    RegisterCustomClass();
    Create();
  }
  ~Win32Peer() override {
    if (FHwnd) {
      RemovePropW(FHwnd, kPeerProp);
      if (FOldProc) SetWindowLongPtrW(FHwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldProc));
      DestroyWindow(FHwnd);
    }
    if (FBrush) DeleteObject(FBrush);
    if (FImages) ImageList_Destroy(FImages);
  }

  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(FHwnd); }
  PeerClass Class() const override { return FKind; }

  void SetBounds(int left, int top, int width, int height) override {
    if (FKind == PeerClass::ComboBox || FKind == PeerClass::ComboList) height += 160;  // the drop-down list
    // A child that moves is painted afresh at its new place: the pixels the system
    // would copy along are stale while a layout moves several children one by one.
    const UINT copy = FParent ? SWP_NOCOPYBITS : 0;
    SetWindowPos(FHwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE | copy);
  }
  void ClientSize(int& width, int& height) const override {
    RECT r{};
    if (FKind == PeerClass::ComboBox || FKind == PeerClass::ComboList) {
      GetWindowRect(FHwnd, &r);  // without the list
      COMBOBOXINFO ci{sizeof ci};
      GetComboBoxInfo(FHwnd, &ci);
      width = r.right - r.left;
      height = ci.rcItem.bottom + ci.rcItem.top;
      return;
    }
    GetClientRect(FHwnd, &r);
    width = r.right;
    height = r.bottom;
  }
  void SetVisible(bool visible) override {
    ShowWindow(FHwnd, visible ? (FParent ? SW_SHOWNA : SW_SHOW) : SW_HIDE);
    if (visible && !FParent) {
      SetForegroundWindow(FHwnd);
      UpdateWindow(FHwnd);
    }
  }
  bool Visible() const override { return IsWindowVisible(FHwnd) != FALSE; }
  void SetEnabled(bool enabled) override { EnableWindow(FHwnd, enabled); }
  void SetText(const std::string& text) override {
    const std::wstring w = Wide(text);
    FQuiet = true;
    if (FKind == PeerClass::StatusBar)
      SendMessageW(FHwnd, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(w.c_str()));
    else
      SetWindowTextW(FHwnd, w.c_str());
    FQuiet = false;
  }
  std::string Text() const override {
    const int n = GetWindowTextLengthW(FHwnd);
    std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(FHwnd, w.data(), n + 1);
    w.resize(static_cast<std::size_t>(n));
    return Ansi(w);
  }
  void SetFont(const FontFace& font) override {
    FFontColor = font.Color;
    SendMessageW(FHwnd, WM_SETFONT, reinterpret_cast<WPARAM>(win32::FontOf(font)), TRUE);
  }
  void SetColor(RgbColor color) override {
    if (FBrush && color == FColor) return;
    FColor = color;
    if (FBrush) DeleteObject(FBrush);
    FBrush = CreateSolidBrush(color);
    ::InvalidateRect(FHwnd, nullptr, TRUE);
  }
  void SetStyle(const PeerStyle& style) override {
    FStyle = style;
    if (FKind == PeerClass::Edit || FKind == PeerClass::Memo) SendMessageW(FHwnd, EM_SETREADONLY, style.ReadOnly, 0);
    if (FKind == PeerClass::Button) SendMessageW(FHwnd, BM_SETSTYLE, style.DefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (FKind == PeerClass::TreeView) {
      Restyle();
      SendMessageW(FHwnd, TVM_SETINDENT, static_cast<WPARAM>(style.TreeIndent), 0);
    }
    if (FKind == PeerClass::StatusBar) SendMessageW(FHwnd, SB_SIMPLE, style.SimplePanel, 0);
    if (FKind == PeerClass::ListView) {
      Restyle();
      SendMessageW(FHwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ListViewExStyle());
    }
    if (FKind == PeerClass::TrackBar || FKind == PeerClass::ProgressBar || FKind == PeerClass::DateTimePicker ||
        FKind == PeerClass::TabControl)
      Restyle();
    if (FKind == PeerClass::Form || FKind == PeerClass::Label) {
      Restyle();
      SetWindowLongW(FHwnd, GWL_EXSTYLE, static_cast<LONG>(ExStyleBits()));
      SetWindowPos(FHwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    ::InvalidateRect(FHwnd, nullptr, TRUE);
  }
  // The window takes the style bits of the current style and keeps its state: shown or
  // hidden, enabled or not.
  void Restyle() {
    const LONG state = GetWindowLongW(FHwnd, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
    SetWindowLongW(FHwnd, GWL_STYLE, static_cast<LONG>(StyleBits()) | state);
  }
  void Invalidate() override { ::InvalidateRect(FHwnd, nullptr, FALSE); }
  void InvalidateRect(int left, int top, int right, int bottom) override {
    const RECT r{left, top, right, bottom};
    ::InvalidateRect(FHwnd, &r, FALSE);
  }
  void Update() override { UpdateWindow(FHwnd); }
  void SetFocus() override { ::SetFocus(FHwnd); }
  bool Focused() const override { return GetFocus() == FHwnd; }
  void SetCaret(bool shown, int x, int y, int width, int height) override {
    FCaretShown = shown, FCaretX = x, FCaretY = y, FCaretW = width, FCaretH = height;
    if (GetFocus() != FHwnd) return;
    if (shown) {
      if (!FCaretMade) {
        CreateCaret(FHwnd, nullptr, width, height);
        FCaretMade = true;
        SetCaretPos(x, y);
        ShowCaret(FHwnd);
      } else {
        SetCaretPos(x, y);
      }
    } else if (FCaretMade) {
      DestroyCaret();
      FCaretMade = false;
    }
  }
  void SetScrollBar(bool visible, int max, int page, int position) override {
    SetBar(FVScroll, SB_VERT, visible, max, page, position);
  }
  void SetHScrollBar(bool visible, int max, int page, int position) override {
    SetBar(FHScroll, SB_HORZ, visible, max, page, position);
  }
  // A scroll bar of our own windows and what it was last told.
  struct ScrollBarState {
    int Max = -1, Page = -1, Pos = -1;
    bool Visible = false;
  };
  void SetBar(ScrollBarState& bar, int which, bool visible, int max, int page, int position) {
    // Showing or hiding a scroll bar changes the window's frame: only when it must. New
    // values may show or hide the bar by themselves (a range that the page covers or
    // not), so its state is set again after them.
    bool changed = false;
    if (max != bar.Max || page != bar.Page || position != bar.Pos) {
      SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, max, static_cast<UINT>(page), position, 0};
      SetScrollInfo(FHwnd, which, &si, visible);
      bar.Max = max, bar.Page = page, bar.Pos = position;
      changed = true;
    }
    if (changed || visible != bar.Visible) {
      ShowScrollBar(FHwnd, which, visible);
      bar.Visible = visible;
    }
  }
  void SetCursorShape(int cursor) override { FCursor = cursor; }
  void SetMouseCapture(bool capture) override {
    FCaptureWanted = capture;
    if (capture) SetCapture(FHwnd);
    else if (GetCapture() == FHwnd) ReleaseCapture();
  }
  // A system control may take and release the mouse itself while it handles a press
  // (a tree view does); a drag the toolkit started keeps it.
  void KeepCapture() {
    if (FCaptureWanted && GetCapture() != FHwnd) SetCapture(FHwnd);
  }
  void BringToFront() override { SetWindowPos(FHwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }
  void SetChecked(int state) override { SendMessageW(FHwnd, BM_SETCHECK, static_cast<WPARAM>(state), 0); }
  int Checked() const override { return static_cast<int>(SendMessageW(FHwnd, BM_GETCHECK, 0, 0)); }
  void SetItems(const std::vector<std::string>& items) override {
    if (FKind == PeerClass::TabControl) {
      FQuiet = true;
      SendMessageW(FHwnd, TCM_DELETEALLITEMS, 0, 0);
      for (std::size_t i = 0; i < items.size(); ++i) {
        std::wstring w = Wide(items[i]);
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = w.data();
        SendMessageW(FHwnd, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
      }
      FQuiet = false;
      return;
    }
    const bool combo = FKind == PeerClass::ComboBox || FKind == PeerClass::ComboList;
    FQuiet = true;
    // Drawn once when all are in, not once per item (a list refilled as the user types).
    SendMessageW(FHwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(FHwnd, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::string& s : items) {
      const std::wstring w = Wide(s);
      SendMessageW(FHwnd, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    }
    SendMessageW(FHwnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(FHwnd, nullptr, TRUE);
    FQuiet = false;
  }
  void SetItemIndex(int index) override {
    FQuiet = true;
    if (FKind == PeerClass::TabControl) {
      SendMessageW(FHwnd, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
      FQuiet = false;
      return;
    }
    if (FKind == PeerClass::ListView) {
      LVITEMW clear{};
      clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(FHwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
      if (index >= 0) {
        LVITEMW sel{};
        sel.stateMask = sel.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(FHwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sel));
        SendMessageW(FHwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
      }
      FQuiet = false;
      return;
    }
    FQuiet = false;
    const bool combo = FKind == PeerClass::ComboBox || FKind == PeerClass::ComboList;
    SendMessageW(FHwnd, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  int ItemIndex() const override {
    if (FKind == PeerClass::TabControl) return static_cast<int>(SendMessageW(FHwnd, TCM_GETCURSEL, 0, 0));
    if (FKind == PeerClass::ListView)
      return static_cast<int>(SendMessageW(FHwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const bool combo = FKind == PeerClass::ComboBox || FKind == PeerClass::ComboList;
    return static_cast<int>(SendMessageW(FHwnd, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
  }
  void SetDroppedDown(bool dropped) override { SendMessageW(FHwnd, CB_SHOWDROPDOWN, dropped, 0); }
  bool DroppedDown() const override { return SendMessageW(FHwnd, CB_GETDROPPEDSTATE, 0, 0) != 0; }
  void SetMinimized(bool minimized) override { ShowWindow(FHwnd, minimized ? SW_MINIMIZE : SW_RESTORE); }
  TreeItemId TreeInsert(TreeItemId parent, TreeItemId, const std::string& text, int image, int selectedImage) override {
    const std::wstring w = Wide(text);
    TVINSERTSTRUCTW ins{};
    ins.hParent = parent ? reinterpret_cast<HTREEITEM>(parent) : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<wchar_t*>(w.c_str());
    ins.item.iImage = image;
    ins.item.iSelectedImage = selectedImage;
    return static_cast<TreeItemId>(SendMessageW(FHwnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  }
  void TreeDelete(TreeItemId item) override {
    FQuiet = true;
    SendMessageW(FHwnd, TVM_DELETEITEM, 0, static_cast<LPARAM>(item));
    FQuiet = false;
  }
  void TreeSetText(TreeItemId item, const std::string& text, int image, int selectedImage) override {
    const std::wstring w = Wide(text);
    TVITEMW it{};
    it.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    it.hItem = reinterpret_cast<HTREEITEM>(item);
    it.pszText = const_cast<wchar_t*>(w.c_str());
    it.iImage = image;
    it.iSelectedImage = selectedImage;
    SendMessageW(FHwnd, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  }
  void TreeExpand(TreeItemId item, bool expanded) override {
    SendMessageW(FHwnd, TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE, static_cast<LPARAM>(item));
  }
  void TreeSelect(TreeItemId item) override {
    FQuiet = true;
    SendMessageW(FHwnd, TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(item));
    FQuiet = false;
  }
  TreeItemId TreeSelected() const override {
    return static_cast<TreeItemId>(SendMessageW(FHwnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
  }
  void TreeMakeVisible(TreeItemId item) override { SendMessageW(FHwnd, TVM_ENSUREVISIBLE, 0, static_cast<LPARAM>(item)); }
  TreeItemId TreeItemAt(int x, int y) const override {
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(FHwnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return item && (hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)) ? reinterpret_cast<TreeItemId>(item) : 0;
  }
  bool TreeItemRect(TreeItemId item, int& left, int& top, int& right, int& bottom) const override {
    // The message takes the item in the rectangle's first bytes.
    RECT r{};
    const auto handle = reinterpret_cast<HTREEITEM>(item);
    std::memcpy(&r, &handle, sizeof handle);
    if (!item || !SendMessageW(FHwnd, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) return false;
    left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    return true;
  }
  void SetTreeImages(const std::vector<CanvasPeer*>& images, int width, int height) override {
    HIMAGELIST list = nullptr;
    if (!images.empty()) {
      list = ImageList_Create(width, height, ILC_COLOR24, static_cast<int>(images.size()), 4);
      for (CanvasPeer* image : images) {
        auto* gdi = dynamic_cast<win32::GdiCanvas*>(image);
        HBITMAP bmp = gdi ? gdi->CopyBitmap(width, height) : nullptr;
        ImageList_Add(list, bmp, nullptr);
        if (bmp) DeleteObject(bmp);
      }
    }
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(SendMessageW(FHwnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list)));
    if (old && old != FImages) ImageList_Destroy(old);
    if (FImages) ImageList_Destroy(FImages);
    FImages = list;
  }
  void SetRange(int min, int max, int position) override {
    FQuiet = true;
    if (FKind == PeerClass::TrackBar) {
      SendMessageW(FHwnd, TBM_SETRANGEMIN, FALSE, min);
      SendMessageW(FHwnd, TBM_SETRANGEMAX, FALSE, max);
      SendMessageW(FHwnd, TBM_SETPOS, TRUE, position);
    } else if (FKind == PeerClass::ProgressBar) {
      SendMessageW(FHwnd, PBM_SETRANGE32, static_cast<WPARAM>(min), max);
      SendMessageW(FHwnd, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    FQuiet = false;
  }
  int Position() const override {
    if (FKind == PeerClass::TrackBar) return static_cast<int>(SendMessageW(FHwnd, TBM_GETPOS, 0, 0));
    if (FKind == PeerClass::ProgressBar) return static_cast<int>(SendMessageW(FHwnd, PBM_GETPOS, 0, 0));
    return 0;
  }
  void DisplayRect(int& left, int& top, int& right, int& bottom) const override {
    RECT r{};
    GetClientRect(FHwnd, &r);
    if (FKind == PeerClass::TabControl) SendMessageW(FHwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    left = r.left, top = r.top, right = r.right, bottom = r.bottom;
  }
  bool TabRect(int index, int& left, int& top, int& right, int& bottom) const override {
    RECT r{};
    if (FKind != PeerClass::TabControl) return false;
    if (!SendMessageW(FHwnd, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r))) return false;
    left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    return true;
  }
  void SetPanels(const std::vector<StatusPanelInfo>& panels) override {
    if (FKind != PeerClass::StatusBar) return;
    std::vector<int> edges;
    int x = 0;
    for (const StatusPanelInfo& p : panels) {
      x += p.Width;
      edges.push_back(p.Width < 0 ? -1 : x);
    }
    if (edges.empty()) edges.push_back(-1);
    SendMessageW(FHwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < panels.size(); ++i) {
      // The control aligns by tab characters: one before centres, two right-align.
      std::wstring w = Wide(panels[i].Text);
      if (panels[i].Alignment == 2) w = L"\t" + w;
      else if (panels[i].Alignment == 1) w = L"\t\t" + w;
      const WPARAM bevel = panels[i].Bevel == 0 ? SBT_NOBORDERS : panels[i].Bevel == 2 ? SBT_POPOUT : 0;
      SendMessageW(FHwnd, SB_SETTEXTW, i | bevel, reinterpret_cast<LPARAM>(w.c_str()));
    }
  }
  void SetColumns(const std::vector<ListColumnInfo>& columns) override {
    if (FKind != PeerClass::ListView) return;
    while (SendMessageW(FHwnd, LVM_DELETECOLUMN, 0, 0)) {}
    for (std::size_t i = 0; i < columns.size(); ++i) {
      std::wstring w = Wide(columns[i].Caption);
      LVCOLUMNW col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
      col.fmt = columns[i].Alignment == 1 ? LVCFMT_RIGHT : columns[i].Alignment == 2 ? LVCFMT_CENTER : LVCFMT_LEFT;
      col.cx = columns[i].Width;
      col.pszText = w.data();
      SendMessageW(FHwnd, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
  }
  void SetListItems(const std::vector<ListItemInfo>& items) override {
    if (FKind != PeerClass::ListView) return;
    FQuiet = true;
    SendMessageW(FHwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(FHwnd, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
      const ListItemInfo& info = items[i];
      std::wstring caption = Wide(info.Texts.empty() ? std::string() : info.Texts[0]);
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = static_cast<int>(i);
      item.pszText = caption.data();
      item.iImage = info.Image;
      SendMessageW(FHwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      for (std::size_t s = 1; s < info.Texts.size(); ++s) {
        std::wstring w = Wide(info.Texts[s]);
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(s);
        sub.pszText = w.data();
        SendMessageW(FHwnd, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&sub));
      }
      if (FStyle.CheckBoxes) SetItemChecked(static_cast<int>(i), info.Checked);
    }
    SendMessageW(FHwnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(FHwnd, nullptr, TRUE);
    FQuiet = false;
  }
  void SetItemChecked(int index, bool checked) override {
    if (index < 0) return;
    if (FKind == PeerClass::ListView) {
      const bool quiet = FQuiet;
      FQuiet = true;
      LVITEMW it{};
      it.stateMask = LVIS_STATEIMAGEMASK;
      it.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
      SendMessageW(FHwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&it));
      FQuiet = quiet;
      return;
    }
    if (static_cast<std::size_t>(index) >= FChecks.size()) FChecks.resize(static_cast<std::size_t>(index) + 1);
    FChecks[static_cast<std::size_t>(index)] = checked;
    RECT r{};
    if (SendMessageW(FHwnd, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
      ::InvalidateRect(FHwnd, &r, TRUE);
  }
  bool ItemChecked(int index) const override {
    if (index < 0) return false;
    if (FKind == PeerClass::ListView)
      return ((SendMessageW(FHwnd, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK) >> 12) - 1) == 1;
    return static_cast<std::size_t>(index) < FChecks.size() && FChecks[static_cast<std::size_t>(index)];
  }
  bool EditLabel(std::intptr_t item) override {
    if (FKind != PeerClass::TreeView && FKind != PeerClass::ListView) return false;
    // One edit box at a time: an open one is confirmed first.
    if (HWND open = LabelEditBox()) SendMessageW(open, WM_KEYDOWN, VK_RETURN, 0);
    // The control edits a label only while it has the focus.
    ::SetFocus(FHwnd);
    if (FKind == PeerClass::TreeView) return SendMessageW(FHwnd, TVM_EDITLABELW, 0, static_cast<LPARAM>(item)) != 0;
    return SendMessageW(FHwnd, LVM_EDITLABELW, static_cast<WPARAM>(item), 0) != 0;
  }
  // The edit box of the label being edited, or null.
  HWND LabelEditBox() const {
    if (FKind == PeerClass::TreeView) return reinterpret_cast<HWND>(SendMessageW(FHwnd, TVM_GETEDITCONTROL, 0, 0));
    if (FKind == PeerClass::ListView) return reinterpret_cast<HWND>(SendMessageW(FHwnd, LVM_GETEDITCONTROL, 0, 0));
    return nullptr;
  }
  int ItemAt(int x, int y) const override {
    if (FKind == PeerClass::ListView) {
      LVHITTESTINFO hit{};
      hit.pt = {x, y};
      return static_cast<int>(SendMessageW(FHwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    if (FKind == PeerClass::ListBox || FKind == PeerClass::CheckListBox) {
      const LRESULT r = SendMessageW(FHwnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
      return HIWORD(r) ? -1 : static_cast<int>(LOWORD(r));
    }
    return -1;
  }
  void SetDate(double date) override {
    SYSTEMTIME st = SystemTimeOf(date);
    FQuiet = true;
    if (FKind == PeerClass::DateTimePicker) SendMessageW(FHwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    else if (FKind == PeerClass::MonthCalendar) SendMessageW(FHwnd, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    FQuiet = false;
  }
  double Date() const override {
    SYSTEMTIME st{};
    if (FKind == PeerClass::DateTimePicker) {
      if (SendMessageW(FHwnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return 0;
    } else if (FKind == PeerClass::MonthCalendar) {
      SendMessageW(FHwnd, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
      st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
    } else {
      return 0;
    }
    return DateOf(st);
  }
  // A tree whose selection stays visible shows it in the selection colours while
  // another control has the focus too (a search box that found the node), not in the
  // faint grey the control would use.
  LRESULT TreeCustomDraw(NMTVCUSTOMDRAW& cd) const {
    if (!FStyle.ShowSelectionAlways) return CDRF_DODEFAULT;
    if (cd.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (cd.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && GetFocus() != FHwnd &&
        cd.nmcd.dwItemSpec == static_cast<DWORD_PTR>(TreeSelected())) {
      cd.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
      cd.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
    }
    return CDRF_DODEFAULT;
  }
  // Our check list boxes draw their items: a check box, then the text.
  void DrawCheckItem(const DRAWITEMSTRUCT& d) {
    if (d.itemID == static_cast<UINT>(-1)) return;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    FillRect(d.hDC, &d.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    RECT box{d.rcItem.left + 2, d.rcItem.top + 2, d.rcItem.left + kCheckWidth - 1, d.rcItem.bottom - 1};
    DrawFrameControl(d.hDC, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (ItemChecked(static_cast<int>(d.itemID)) ? DFCS_CHECKED : 0));
    const int n = static_cast<int>(SendMessageW(FHwnd, LB_GETTEXTLEN, d.itemID, 0));
    std::wstring w(static_cast<std::size_t>(n < 0 ? 0 : n) + 1, L'\0');
    SendMessageW(FHwnd, LB_GETTEXT, d.itemID, reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
    RECT text = d.rcItem;
    text.left += kCheckWidth + 2;
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(d.hDC, w.c_str(), static_cast<int>(w.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
  }
  DWORD ListViewExStyle() const {
    DWORD e = LVS_EX_DOUBLEBUFFER;
    if (FStyle.CheckBoxes) e |= LVS_EX_CHECKBOXES;
    if (FStyle.RowSelect) e |= LVS_EX_FULLROWSELECT;
    if (FStyle.GridLines) e |= LVS_EX_GRIDLINES;
    return e;
  }
  void StartTimer(std::uintptr_t id, std::uint32_t interval) override { ::SetTimer(FHwnd, id, interval, nullptr); }
  void StopTimer(std::uintptr_t id) override { KillTimer(FHwnd, id); }
  void ClientToScreen(int& x, int& y) const override {
    POINT p{x, y};
    ::ClientToScreen(FHwnd, &p);
    x = p.x, y = p.y;
  }

  // Messages for both our class and subclassed system controls; true when handled.
  bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT Default(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return FOldProc ? CallWindowProcW(FOldProc, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  void Paint();
  bool IsCustom() const { return FKind == PeerClass::Custom || FKind == PeerClass::Form; }

private:
  DWORD StyleBits() const;
  DWORD ExStyleBits() const;
  void Create();

  PeerClass FKind;
  PeerStyle FStyle;
  Win32Peer* FParent;
  WindowEvents* FEvents;
  HWND FHwnd = nullptr;
  WNDPROC FOldProc = nullptr;
  bool FQuiet = false;       // changes made by the toolkit are not reported back
  bool FSwallowChar = false; // the character of a key the toolkit used
  bool FCaretShown = false, FCaretMade = false;
  int FCaretX = 0, FCaretY = 0, FCaretW = 2, FCaretH = 12;
  ScrollBarState FVScroll, FHScroll;
  int FCursor = 0;
  RgbColor FColor = 0xF0F0F0, FFontColor = 0;
  HBRUSH FBrush = nullptr;
  HIMAGELIST FImages = nullptr;
  bool FMouseInside = false;
  bool FCaptureWanted = false;
  bool FDblClickReported = false;
  std::vector<bool> FChecks;  // check list boxes
};

DWORD Win32Peer::StyleBits() const {
  DWORD s = 0;
  switch (FKind) {
    case PeerClass::Form:
      switch (FStyle.BorderStyle) {
        case 0: s = WS_POPUP; break;
        case 1: s = WS_CAPTION | WS_BORDER; break;
        case 3: s = WS_POPUP | WS_CAPTION | WS_DLGFRAME; break;
        case 4: s = WS_CAPTION | WS_BORDER; break;
        case 5: s = WS_CAPTION | WS_THICKFRAME; break;
        default: s = WS_CAPTION | WS_THICKFRAME; break;
      }
      if (FStyle.BorderStyle != 0 && FStyle.SystemMenu) s |= WS_SYSMENU;
      if (FStyle.Minimize && (FStyle.BorderStyle == 1 || FStyle.BorderStyle == 2)) s |= WS_MINIMIZEBOX;
      if (FStyle.Maximize && (FStyle.BorderStyle == 1 || FStyle.BorderStyle == 2)) s |= WS_MAXIMIZEBOX;
      return s | WS_CLIPCHILDREN;
    case PeerClass::Custom:
      // Without a parent: a hidden window of its own (the application's timer window).
      s = FParent ? WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS : WS_POPUP;
      break;
    case PeerClass::Button: s = WS_CHILD | WS_TABSTOP | (FStyle.DefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON); break;
    case PeerClass::CheckBox: s = WS_CHILD | WS_TABSTOP | BS_CHECKBOX; break;
    case PeerClass::RadioButton: s = WS_CHILD | WS_TABSTOP | BS_RADIOBUTTON; break;
    case PeerClass::GroupBox: s = WS_CHILD | BS_GROUPBOX | WS_CLIPSIBLINGS; break;
    case PeerClass::Label:
      s = WS_CHILD | SS_NOTIFY | SS_NOPREFIX;
      s |= FStyle.Alignment == 1 ? SS_RIGHT : FStyle.Alignment == 2 ? SS_CENTER : (FStyle.WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
      if (FStyle.CentreVertically && !FStyle.WordWrap) s |= SS_CENTERIMAGE;
      break;
    case PeerClass::Edit: s = WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | (FStyle.ReadOnly ? ES_READONLY : 0); break;
    case PeerClass::Memo:
      s = WS_CHILD | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | (FStyle.ReadOnly ? ES_READONLY : 0);
      if (!FStyle.WordWrap) s |= ES_AUTOHSCROLL;
      if (FStyle.VScroll) s |= WS_VSCROLL;
      break;
    case PeerClass::ComboBox: s = WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL; break;
    case PeerClass::ComboList: s = WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST; break;
    case PeerClass::ListBox: s = WS_CHILD | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT; break;
    case PeerClass::TreeView:
      s = WS_CHILD | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_DISABLEDRAGDROP;
      if (FStyle.ShowSelectionAlways) s |= TVS_SHOWSELALWAYS;
      // The user's clicks on a label edit it unless the tree is read-only.
      if (!FStyle.ReadOnly) s |= TVS_EDITLABELS;
      break;
    case PeerClass::CheckListBox:
      s = WS_CHILD | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
      break;
    case PeerClass::RichEdit:
      s = WS_CHILD | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | (FStyle.ReadOnly ? ES_READONLY : 0);
      break;
    case PeerClass::TabControl:
      s = WS_CHILD | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (FStyle.ButtonTabs ? TCS_BUTTONS : TCS_TABS);
      // Tabs at a side stand in columns, which the control draws only when it may wrap them.
      if (FStyle.TabSide == 1) s |= TCS_BOTTOM;
      else if (FStyle.TabSide == 2) s |= TCS_VERTICAL | TCS_MULTILINE;
      else if (FStyle.TabSide == 3) s |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
      break;
    case PeerClass::StatusBar:
      s = WS_CHILD | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | (FStyle.SizeGrip ? SBARS_SIZEGRIP : 0);
      break;
    case PeerClass::TrackBar:
      s = WS_CHILD | WS_TABSTOP | (FStyle.Vertical ? TBS_VERT : TBS_HORZ) | (FStyle.Ticks ? TBS_AUTOTICKS : TBS_NOTICKS);
      break;
    case PeerClass::ProgressBar: s = WS_CHILD | (FStyle.Vertical ? PBS_VERTICAL : 0) | (FStyle.Smooth ? PBS_SMOOTH : 0); break;
    case PeerClass::ListView: {
      static constexpr DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
      s = WS_CHILD | WS_TABSTOP | LVS_SINGLESEL | kViews[std::clamp(FStyle.ViewStyle, 0, 3)];
      if (FStyle.ShowSelectionAlways) s |= LVS_SHOWSELALWAYS;
      if (!FStyle.ReadOnly) s |= LVS_EDITLABELS;
      break;
    }
    case PeerClass::DateTimePicker:
      s = WS_CHILD | WS_TABSTOP | (FStyle.TimeOnly ? DTS_TIMEFORMAT : FStyle.LongDate ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT);
      break;
    case PeerClass::MonthCalendar: s = WS_CHILD | WS_TABSTOP; break;
  }
  if (FStyle.VScroll && FKind == PeerClass::Custom) s |= WS_VSCROLL;
  if (FStyle.HScroll && FKind == PeerClass::Custom) s |= WS_HSCROLL;
  return s;
}

DWORD Win32Peer::ExStyleBits() const {
  DWORD e = 0;
  if (FStyle.ClientEdge) e |= WS_EX_CLIENTEDGE;
  if (FKind == PeerClass::Form) {
    if (FStyle.BorderStyle == 3) e |= WS_EX_DLGMODALFRAME;
    if (FStyle.BorderStyle >= 4) e |= WS_EX_TOOLWINDOW;
    if (FStyle.Help) e |= WS_EX_CONTEXTHELP;
    e |= WS_EX_CONTROLPARENT;
  }
  return e;
}

void Win32Peer::Create() {
  const wchar_t* cls = kCustomClass;
  switch (FKind) {
    case PeerClass::Button: case PeerClass::CheckBox: case PeerClass::RadioButton: case PeerClass::GroupBox:
      cls = L"BUTTON"; break;
    case PeerClass::Label: cls = L"STATIC"; break;
    case PeerClass::Edit: case PeerClass::Memo: cls = L"EDIT"; break;
    case PeerClass::ComboBox: case PeerClass::ComboList: cls = L"COMBOBOX"; break;
    case PeerClass::ListBox: cls = L"LISTBOX"; break;
    case PeerClass::TreeView: cls = WC_TREEVIEWW; break;
    case PeerClass::CheckListBox: cls = L"LISTBOX"; break;
    case PeerClass::RichEdit: {
      // The rich text class lives in its own library, loaded once for the process.
      static const bool loaded = LoadLibraryW(L"riched20.dll") != nullptr;
      cls = loaded ? RICHEDIT_CLASSW : L"EDIT";
      break;
    }
    case PeerClass::TabControl: cls = WC_TABCONTROLW; break;
    case PeerClass::StatusBar: cls = STATUSCLASSNAMEW; break;
    case PeerClass::TrackBar: cls = TRACKBAR_CLASSW; break;
    case PeerClass::ProgressBar: cls = PROGRESS_CLASSW; break;
    case PeerClass::ListView: cls = WC_LISTVIEWW; break;
    case PeerClass::DateTimePicker: cls = DATETIMEPICK_CLASSW; break;
    case PeerClass::MonthCalendar: cls = MONTHCAL_CLASSW; break;
    default: break;
  }
  HWND parent = FParent ? FParent->FHwnd : nullptr;
  FHwnd = CreateWindowExW(ExStyleBits(), cls, L"", StyleBits(), 0, 0, 10, 10, parent, nullptr, ModuleInstance(), nullptr);
  SetPropW(FHwnd, kPeerProp, this);
  if (cls != kCustomClass)
    FOldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(FHwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  if (FStyle.VScroll && FKind == PeerClass::Custom) ShowScrollBar(FHwnd, SB_VERT, FALSE);
  if (FStyle.HScroll && FKind == PeerClass::Custom) ShowScrollBar(FHwnd, SB_HORZ, FALSE);
  if (FKind == PeerClass::ListView) SendMessageW(FHwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ListViewExStyle());
  if (FKind == PeerClass::RichEdit) SendMessageW(FHwnd, EM_SETEVENTMASK, 0, ENM_CHANGE);
  if (FKind == PeerClass::TabControl || FKind == PeerClass::StatusBar || FKind == PeerClass::DateTimePicker ||
      FKind == PeerClass::MonthCalendar)
    SendMessageW(FHwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  FVScroll.Visible = FHScroll.Visible = false;
}

void Win32Peer::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHwnd, &ps);
  RECT rc;
  GetClientRect(FHwnd, &rc);
  if (rc.right > 0 && rc.bottom > 0) {
    // Through a back buffer, so that nothing flickers.
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    const RECT& p = ps.rcPaint;
    {
      // Only what was invalidated is drawn and copied to the screen.
      win32::GdiCanvas canvas(mem);
      canvas.SetPaintArea({p.left, p.top, p.right, p.bottom});
      canvas.FillRect({p.left, p.top, p.right, p.bottom}, FColor);
      FEvents->PeerPaint(canvas);
    }
    BitBlt(dc, p.left, p.top, p.right - p.left, p.bottom - p.top, mem, p.left, p.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
  }
  EndPaint(FHwnd, &ps);
}

bool Win32Peer::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      std::uint16_t key = static_cast<std::uint16_t>(wParam);
      if (msg == WM_SYSKEYDOWN && key != VK_F10 && !(GetKeyState(VK_MENU) < 0)) return false;
      FSwallowChar = false;
      if (FEvents->PeerKeyDown(key, ShiftFromKeys())) {
        FSwallowChar = true;
        return true;
      }
      return false;
    }
    case WM_CHAR: {
      if (FSwallowChar) {
        FSwallowChar = false;
        return true;
      }
      const wchar_t wc = static_cast<wchar_t>(wParam);
      std::string a = Ansi(std::wstring_view(&wc, 1));
      char ch = a.empty() ? '?' : a[0];
      const char typed = ch;
      if (FEvents->PeerKeyChar(ch)) return true;
      if (ch == typed || a.empty()) return false;
      // A handler changed the character: the control gets the changed one.
      const std::wstring changed = Wide(std::string(1, ch));
      result = Default(FHwnd, WM_CHAR, changed.empty() ? 0 : changed[0], lParam);
      return true;
    }
    case WM_SYSCHAR:
      // The character of an Alt key the toolkit used (an accelerator): no menu, no beep.
      if (FSwallowChar) {
        FSwallowChar = false;
        return true;
      }
      return false;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      std::uint16_t key = static_cast<std::uint16_t>(wParam);
      return FEvents->PeerKeyUp(key, ShiftFromKeys());
    }
    case WM_GETDLGCODE:
      if (!IsCustom()) return false;
      result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
      return true;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: {
      FDblClickReported = false;
      const MouseButton b = msg == WM_LBUTTONDOWN ? MouseButton::Left : msg == WM_RBUTTONDOWN ? MouseButton::Right : MouseButton::Middle;
      if (IsCustom() && b == MouseButton::Left) SetCapture(FHwnd);
      FEvents->PeerMouseDown(b, ShiftFromMouse(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return IsCustom();
    }
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
      const MouseButton b = msg == WM_LBUTTONUP ? MouseButton::Left : msg == WM_RBUTTONUP ? MouseButton::Right : MouseButton::Middle;
      if (IsCustom() && b == MouseButton::Left && GetCapture() == FHwnd) ReleaseCapture();
      FEvents->PeerMouseUp(b, ShiftFromMouse(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return IsCustom();
    }
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: {
      const MouseButton b = msg == WM_LBUTTONDBLCLK ? MouseButton::Left : msg == WM_RBUTTONDBLCLK ? MouseButton::Right : MouseButton::Middle;
      if (IsCustom() && b == MouseButton::Left) SetCapture(FHwnd);
      // A tree or list view reports the same double click once more as NM_DBLCLK.
      FDblClickReported = true;
      FEvents->PeerDblClick(b, ShiftFromMouse(wParam) | kDouble, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return IsCustom();
    }
    case WM_MOUSEMOVE:
      if (!FMouseInside) {
        FMouseInside = true;
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, FHwnd, 0};
        TrackMouseEvent(&tme);
        FEvents->PeerMouseEnter();
      }
      FEvents->PeerMouseMove(ShiftFromMouse(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return false;
    case WM_MOUSELEAVE:
      FMouseInside = false;
      FEvents->PeerMouseLeave();
      return false;
    case WM_MOUSEWHEEL: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(FHwnd, &p);
      FEvents->PeerMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), ShiftFromMouse(GET_KEYSTATE_WPARAM(wParam)), p.x, p.y);
      return IsCustom();
    }
    case WM_SETFOCUS:
      if (FCaretShown) {
        FCaretMade = false;
        SetCaret(true, FCaretX, FCaretY, FCaretW, FCaretH);
      }
      FEvents->PeerFocusChanged(true);
      return false;
    case WM_KILLFOCUS:
      if (FCaretMade) {
        DestroyCaret();
        FCaretMade = false;
      }
      FEvents->PeerFocusChanged(false);
      return false;
    case WM_TIMER:
      FEvents->PeerTimer(wParam);
      return true;
    case WM_COMMAND: {
      Win32Peer* child = lParam ? PeerOf(reinterpret_cast<HWND>(lParam)) : nullptr;
      if (!child || child->FQuiet) return false;
      const WORD code = HIWORD(wParam);
      switch (code) {
        case BN_CLICKED:
          if (child->FKind == PeerClass::Button || child->FKind == PeerClass::CheckBox || child->FKind == PeerClass::RadioButton)
            child->FEvents->PeerClicked();
          break;
        case EN_CHANGE: child->FEvents->PeerChanged(); break;
        case CBN_SELCHANGE:
          if (child->FKind == PeerClass::ComboBox || child->FKind == PeerClass::ComboList) {
            // The edit shows the new item only after this notification.
            const int i = child->ItemIndex();
            if (i >= 0 && child->FKind == PeerClass::ComboBox) {
              const int n = static_cast<int>(SendMessageW(child->FHwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
              std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
              SendMessageW(child->FHwnd, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.data()));
              w.resize(static_cast<std::size_t>(n));
              child->FQuiet = true;
              SetWindowTextW(child->FHwnd, w.c_str());
              child->FQuiet = false;
            }
            child->FEvents->PeerChanged();
          } else {
            child->FEvents->PeerChanged();  // LBN_SELCHANGE has the same code
          }
          break;
        case CBN_EDITCHANGE: child->FEvents->PeerChanged(); break;
        default: break;
      }
      return false;
    }
    case WM_NOTIFY: {
      const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
      Win32Peer* child = nm ? PeerOf(nm->hwndFrom) : nullptr;
      if (child && nm->code == NM_CUSTOMDRAW && child->FKind == PeerClass::TreeView) {
        result = child->TreeCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(lParam));
        return true;
      }
      if (!child || child->FQuiet) return false;
      if (nm->code == TVN_SELCHANGEDW || nm->code == TCN_SELCHANGE || nm->code == DTN_DATETIMECHANGE ||
          nm->code == MCN_SELCHANGE) {
        child->FEvents->PeerChanged();
      } else if (nm->code == LVN_ITEMCHANGED) {
        const auto* lv = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (!(lv->uChanged & LVIF_STATE) || lv->iItem < 0) return false;
        if ((lv->uNewState ^ lv->uOldState) & LVIS_STATEIMAGEMASK) {
          const int image = static_cast<int>((lv->uNewState & LVIS_STATEIMAGEMASK) >> 12);
          if (image > 0 && (lv->uOldState & LVIS_STATEIMAGEMASK)) child->FEvents->PeerItemChecked(lv->iItem, image == 2);
        }
        if ((lv->uNewState ^ lv->uOldState) & LVIS_SELECTED) child->FEvents->PeerChanged();
        return false;
      }
      else if (nm->code == TVN_ITEMEXPANDEDW) {
        const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(lParam);
        child->FEvents->PeerTreeExpanded(reinterpret_cast<TreeItemId>(tv->itemNew.hItem), tv->action == TVE_EXPAND);
      } else if (nm->code == TVN_BEGINLABELEDITW || nm->code == LVN_BEGINLABELEDITW) {
        // Nonzero refuses the edit.
        const auto* tv = reinterpret_cast<const NMTVDISPINFOW*>(lParam);
        const auto* lv = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
        const std::intptr_t item =
            nm->code == TVN_BEGINLABELEDITW ? reinterpret_cast<std::intptr_t>(tv->item.hItem) : lv->item.iItem;
        result = child->FEvents->PeerLabelEditing(item) ? FALSE : TRUE;
        return true;
      } else if (nm->code == TVN_ENDLABELEDITW || nm->code == LVN_ENDLABELEDITW) {
        // No text: the user cancelled. The toolkit sets an accepted text itself, so the
        // control is told to keep its label (zero).
        std::intptr_t item = 0;
        const wchar_t* text = nullptr;
        if (nm->code == TVN_ENDLABELEDITW) {
          const auto* tv = reinterpret_cast<const NMTVDISPINFOW*>(lParam);
          item = reinterpret_cast<std::intptr_t>(tv->item.hItem), text = tv->item.pszText;
        } else {
          const auto* lv = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
          item = lv->item.iItem, text = lv->item.pszText;
        }
        child->FEvents->PeerLabelEdited(item, text != nullptr, text ? Ansi(text) : std::string());
        result = FALSE;
        return true;
      } else if (nm->code == NM_DBLCLK) {
        if (child->FDblClickReported) {
          child->FDblClickReported = false;
          return false;
        }
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(child->FHwnd, &p);
        child->FEvents->PeerDblClick(MouseButton::Left, kDouble, p.x, p.y);
      } else if (nm->code == NM_RCLICK && child->FKind == PeerClass::TreeView) {
        // The tree view takes the right button's release in its own drag loop and
        // reports NM_RCLICK instead: that is the release its context menu waits for.
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(child->FHwnd, &p);
        child->FEvents->PeerMouseUp(MouseButton::Right, 0, p.x, p.y);
        result = 1;
        return true;
      }
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      Win32Peer* child = PeerOf(reinterpret_cast<HWND>(lParam));
      if (!child || !child->FBrush) return false;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, child->FFontColor);
      SetBkColor(dc, child->FColor);
      result = reinterpret_cast<LRESULT>(child->FBrush);
      return true;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (mi->CtlType != ODT_LISTBOX) return false;
      mi->itemHeight = kCheckItemHeight;
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      Win32Peer* child = di->CtlType == ODT_LISTBOX ? PeerOf(di->hwndItem) : nullptr;
      if (!child || child->FKind != PeerClass::CheckListBox) return false;
      child->DrawCheckItem(*di);
      result = TRUE;
      return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      // A track bar tells its parent that the user moved it.
      if (Win32Peer* child = lParam ? PeerOf(reinterpret_cast<HWND>(lParam)) : nullptr) {
        if (child->FKind == PeerClass::TrackBar && !child->FQuiet) child->FEvents->PeerScrolled(child->Position());
        return true;
      }
      // A scroll bar control of its own (not ours) names itself; the window's bars do not.
      if (lParam || !IsCustom()) return false;
      const bool vertical = msg == WM_VSCROLL;
      const ScrollBarState& bar = vertical ? FVScroll : FHScroll;
      int pos = bar.Pos;
      // The line and page codes of both bars share their values (SB_LINELEFT is SB_LINEUP).
      switch (LOWORD(wParam)) {
        case SB_LINEUP: pos -= 1; break;
        case SB_LINEDOWN: pos += 1; break;
        case SB_PAGEUP: pos -= bar.Page; break;
        case SB_PAGEDOWN: pos += bar.Page; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = bar.Max; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          SCROLLINFO si{sizeof si, SIF_TRACKPOS};
          GetScrollInfo(FHwnd, vertical ? SB_VERT : SB_HORZ, &si);
          pos = si.nTrackPos;
          break;
        }
        default: return true;
      }
      pos = std::clamp(pos, 0, std::max(0, bar.Max));
      if (vertical) FEvents->PeerScrolled(pos);
      else FEvents->PeerHScrolled(pos);
      return true;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && FCursor != 0) {
        LPCWSTR id = IDC_ARROW;
        switch (FCursor) {
          case -4: id = IDC_IBEAM; break;
          case -9: case -14: id = IDC_SIZEWE; break;
          case -7: case -15: id = IDC_SIZENS; break;
          case -21: id = IDC_HAND; break;
          case -3: id = IDC_CROSS; break;
          case -11: id = IDC_WAIT; break;
          default: break;
        }
        SetCursor(LoadCursorW(nullptr, id));
        result = TRUE;
        return true;
      }
      return false;
    default:
      break;
  }
  if (!IsCustom()) return false;
  switch (msg) {
    case WM_PAINT:
      Paint();
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_CLOSE:
      FEvents->PeerCloseRequest();
      return true;
    case WM_SIZE:
    case WM_MOVE:
      if (FKind == PeerClass::Form && msg == WM_SIZE ? wParam != SIZE_MINIMIZED : FKind == PeerClass::Form) {
        RECT r;
        GetWindowRect(FHwnd, &r);
        FEvents->PeerBoundsChanged(r.left, r.top, r.right - r.left, r.bottom - r.top);
      }
      return false;
    case WM_GETMINMAXINFO:
      return false;
    default:
      return false;
  }
}

LRESULT CALLBACK CustomProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Win32Peer* peer = PeerOf(hwnd);
  if (!peer) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  if (peer->Handle(msg, wParam, lParam, result)) return result;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Win32Peer* peer = PeerOf(hwnd);
  if (!peer) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  if (peer->Handle(msg, wParam, lParam, result)) return result;
  result = peer->Default(hwnd, msg, wParam, lParam);
  if (msg == WM_LBUTTONDOWN && PeerOf(hwnd) == peer) peer->KeepCapture();
  return result;
}

}  // namespace

std::unique_ptr<WindowPeer> CreateWindowPeer(PeerClass kind, const PeerStyle& style, WindowPeer* parent,
                                             WindowEvents* events) {
  return std::make_unique<Win32Peer>(kind, style, static_cast<Win32Peer*>(parent), events);
}

int WheelScrollLines() {
  UINT lines = 3;
  if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return 3;
  return lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(lines);
}

int ScreenPixelsPerInch() {
  HDC dc = GetDC(nullptr);
  const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}

void ScreenSize(int& width, int& height) {
  width = GetSystemMetrics(SM_CXSCREEN);
  height = GetSystemMetrics(SM_CYSCREEN);
}

namespace {
// The virtual screen; the primary screen when the system reports an empty one (no
// monitor yet, as a desktop started before any display has).
ScreenRect VirtualScreen() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (w > 0 && h > 0) return {x, y, x + w, y + h};
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
}  // namespace

ScreenRect DesktopRect() { return VirtualScreen(); }

bool WindowRectOf(std::uintptr_t window, ScreenRect& rect) {
  RECT r;
  if (!window || !IsWindow(reinterpret_cast<HWND>(window)) || !GetWindowRect(reinterpret_cast<HWND>(window), &r))
    return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

bool MonitorAtCursor(ScreenRect& rect) {
  POINT p;
  if (!GetCursorPos(&p)) p = {0, 0};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR monitor = MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST);
  if (!monitor || !GetMonitorInfoW(monitor, &info)) {
    // No monitor reported: the virtual screen stands in for it.
    rect = VirtualScreen();
    return rect.Right > rect.Left && rect.Bottom > rect.Top;
  }
  rect = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
  return true;
}

void ProcessGuiMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

namespace {
struct ModalContext {
  HWND Self;
  std::vector<HWND> Disabled;
};

BOOL CALLBACK DisableOther(HWND hwnd, LPARAM lp) {
  auto* c = reinterpret_cast<ModalContext*>(lp);
  if (hwnd != c->Self && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    c->Disabled.push_back(hwnd);
  }
  return TRUE;
}
}  // namespace

bool RunModalLoop(WindowPeer& window, const std::function<bool()>& done) {
  ModalContext ctx{reinterpret_cast<HWND>(window.Handle()), {}};
  // The host's windows of this thread stay disabled while the form is modal.
  EnumThreadWindows(GetCurrentThreadId(), &DisableOther, reinterpret_cast<LPARAM>(&ctx));
  MSG msg;
  while (!done()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  for (HWND h : ctx.Disabled)
    if (IsWindow(h)) EnableWindow(h, TRUE);
  return true;
}

bool HasDisplay() { return true; }

void SendUserInput(WindowPeer& window, const UserInput& input) {
  HWND h = reinterpret_cast<HWND>(window.Handle());
  BYTE saved[256], state[256];
  GetKeyboardState(saved);
  std::copy(std::begin(saved), std::end(saved), std::begin(state));
  state[VK_SHIFT] = (input.Shift & kShift) ? 0x80 : 0;
  state[VK_CONTROL] = (input.Shift & kCtrl) ? 0x80 : 0;
  state[VK_MENU] = (input.Shift & kAlt) ? 0x80 : 0;
  SetKeyboardState(state);
  WPARAM mk = 0;
  if (input.Shift & kShift) mk |= MK_SHIFT;
  if (input.Shift & kCtrl) mk |= MK_CONTROL;
  if (input.Shift & kLeftButton) mk |= MK_LBUTTON;
  if (input.Shift & kRightButton) mk |= MK_RBUTTON;
  const LPARAM at = MAKELPARAM(static_cast<WORD>(static_cast<short>(input.X)), static_cast<WORD>(static_cast<short>(input.Y)));
  const UINT down = input.Button == MouseButton::Left ? WM_LBUTTONDOWN : input.Button == MouseButton::Right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
  const UINT up = down + 1, dbl = down + 2;
  const WPARAM buttonBit = input.Button == MouseButton::Left ? MK_LBUTTON : input.Button == MouseButton::Right ? MK_RBUTTON : MK_MBUTTON;
  switch (input.Kind) {
    case UserInput::Key: {
      const bool alt = (input.Shift & kAlt) != 0;
      const UINT scan = MapVirtualKeyW(input.VirtualKey, 0);
      if (input.VirtualKey) SendMessageW(h, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, input.VirtualKey, 1 | (scan << 16));
      if (input.Char) {
        const std::wstring w = Wide(std::string(1, input.Char));
        if (IsWindow(h)) SendMessageW(h, WM_CHAR, w.empty() ? 0 : w[0], 1 | (scan << 16));
      }
      if (input.VirtualKey && IsWindow(h))
        SendMessageW(h, alt ? WM_SYSKEYUP : WM_KEYUP, input.VirtualKey, 1 | (scan << 16) | (3u << 30));
      break;
    }
    case UserInput::MouseDown: SendMessageW(h, down, mk | buttonBit, at); break;
    case UserInput::Click: {
      // The release waits in the queue while the press is handled (a tree view's press
      // tracks the mouse until a button message comes); one left there is handled now.
      PostMessageW(h, up, mk, at);
      SendMessageW(h, down, mk | buttonBit, at);
      MSG m;
      if (IsWindow(h) && PeekMessageW(&m, h, up, up, PM_REMOVE)) DispatchMessageW(&m);
      break;
    }
    case UserInput::MouseMove: SendMessageW(h, WM_MOUSEMOVE, mk, at); break;
    case UserInput::MouseUp: SendMessageW(h, up, mk & ~buttonBit, at); break;
    case UserInput::DblClick:
      SendMessageW(h, down, mk | buttonBit, at);
      SendMessageW(h, up, mk, at);
      SendMessageW(h, dbl, mk | buttonBit, at);
      SendMessageW(h, up, mk, at);
      break;
    case UserInput::Wheel: {
      POINT p{input.X, input.Y};
      ::ClientToScreen(h, &p);
      SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(mk, static_cast<WORD>(static_cast<short>(input.Delta))),
                   MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
      break;
    }
  }
  SetKeyboardState(saved);
}

namespace {
HWND LabelEditBoxOf(WindowPeer& view) {
  auto* peer = dynamic_cast<Win32Peer*>(&view);
  return peer ? peer->LabelEditBox() : nullptr;
}
}  // namespace

bool LabelEditText(WindowPeer& view, std::string& text) {
  HWND box = LabelEditBoxOf(view);
  if (!box) return false;
  const int n = GetWindowTextLengthW(box);
  std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(box, w.data(), n + 1);
  w.resize(static_cast<std::size_t>(n));
  text = Ansi(w);
  return true;
}

bool SetLabelEditText(WindowPeer& view, const std::string& text) {
  HWND box = LabelEditBoxOf(view);
  if (!box) return false;
  const std::wstring w = Wide(text);
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
  return true;
}

bool EndLabelEdit(WindowPeer& view, bool confirm) {
  HWND box = LabelEditBoxOf(view);
  if (!box) return false;
  const WPARAM key = confirm ? VK_RETURN : VK_ESCAPE;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
  SendMessageW(box, WM_KEYDOWN, key, 1 | scan);
  // The box is gone once the key ended the edit; otherwise it also gets the release.
  if (IsWindow(box)) SendMessageW(box, WM_KEYUP, key, 1 | scan | (3u << 30));
  return true;
}

bool CaptureWindowBmp(WindowPeer& window, const std::string& fileName) {
  return CaptureWindowHandleBmp(window.Handle(), fileName);
}

namespace {
// A shown, enabled window with a title bar: a dialog or message box, not a tooltip.
BOOL CALLBACK FindInputWindow(HWND h, LPARAM out) {
  const LONG style = GetWindowLongW(h, GWL_STYLE);
  if (!IsWindowVisible(h) || !IsWindowEnabled(h) || (style & WS_CAPTION) != WS_CAPTION) return TRUE;
  *reinterpret_cast<HWND*>(out) = h;
  return FALSE;
}
}  // namespace

std::uintptr_t InputWindowOfThread() {
  HWND active = GetActiveWindow();
  if (active && IsWindowVisible(active)) return reinterpret_cast<std::uintptr_t>(active);
  // Another program holds the activation (another test's window on the same display):
  // the thread's window that takes input is the shown one that is not disabled, as a
  // modal window disables those it covers.
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindInputWindow, reinterpret_cast<LPARAM>(&found));
  return reinterpret_cast<std::uintptr_t>(found);
}

void RedrawWindowNow(std::uintptr_t window) {
  RedrawWindow(reinterpret_cast<HWND>(window), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void RequestWindowClose(std::uintptr_t window) { PostMessageW(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0); }

bool ResizeWindow(std::uintptr_t window, int width, int height) {
  return SetWindowPos(reinterpret_cast<HWND>(window), nullptr, 0, 0, width, height,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool CaptureWindowHandleBmp(std::uintptr_t window, const std::string& fileName) {
  HWND h = reinterpret_cast<HWND>(window);
  RECT r;
  if (!GetWindowRect(h, &r)) return false;
  const int w = r.right - r.left, hgt = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, hgt);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, hgt, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  const bool ok = win32::WriteBmp(mem, bmp, w, hgt, fileName);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

int ShowPopupMenu(WindowPeer& owner, const std::vector<std::string>& items, const std::vector<bool>& enabled, int x, int y) {
  HMENU menu = CreatePopupMenu();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == "-") {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring w = Wide(items[i]);
    AppendMenuW(menu, MF_STRING | (i < enabled.size() && !enabled[i] ? MF_GRAYED : 0), i + 1, w.c_str());
  }
  const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0,
                                    reinterpret_cast<HWND>(owner.Handle()), nullptr);
  DestroyMenu(menu);
  return chosen - 1;
}

}  // namespace platform
