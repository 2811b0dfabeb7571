#include "gui/ComCtrls.h"

#include <algorithm>

#include "gui/GuiErrors.h"
#include "gui/GuiTexts.h"
#include "gui/Published.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TTreeNode::StaticClassInfo(), &TTreeNodes::StaticClassInfo(),
                                                    &TTreeView::StaticClassInfo()};
}

// ---- TTreeNode

const TClassInfo& TTreeNode::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTreeNode>("TTreeNode", &rtl::TPersistent::StaticClassInfo())
                                     .Abstract()
                                     .Property("Count", &TTreeNode::Count)
                                     .Property("Data", &TTreeNode::Data, &TTreeNode::SetData).TypeName("Pointer")
                                     .Property("Expanded", &TTreeNode::Expanded, &TTreeNode::SetExpanded)
                                     .Property("ImageIndex", &TTreeNode::ImageIndex, &TTreeNode::SetImageIndex)
                                     .Property("SelectedIndex", &TTreeNode::SelectedIndex, &TTreeNode::SetSelectedIndex)
                                     .Property("StateIndex", &TTreeNode::StateIndex, &TTreeNode::SetStateIndex)
                                     .Property("Text", &TTreeNode::Text, &TTreeNode::SetText);
  return info;
}

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}

TTreeNode::~TTreeNode() {
  for (TTreeNode* c : FChildren) delete c;
}

TTreeView* TTreeNode::TreeView() const { return FOwner ? FOwner->FOwner : nullptr; }

namespace {
platform::WindowPeer* TreePeer(const TTreeNode* node) {
  TTreeView* view = node->TreeView();
  return view ? view->Peer() : nullptr;
}
}  // namespace

void TTreeNode::SetText(const rtl::AnsiString& v) {
  FText = v;
  if (auto* p = TreePeer(this); p && FItemId) p->TreeSetText(FItemId, v.str(), FImageIndex, FSelectedIndex);
}

void TTreeNode::SetImageIndex(int v) {
  FImageIndex = v;
  SetText(FText);
}

void TTreeNode::SetSelectedIndex(int v) {
  FSelectedIndex = v;
  SetText(FText);
}

void TTreeNode::SetExpanded(bool v) {
  FExpanded = v;
  if (auto* p = TreePeer(this); p && FItemId) p->TreeExpand(FItemId, v);
}

void TTreeNode::Expand(bool recurse) {
  SetExpanded(true);
  if (recurse)
    for (TTreeNode* c : FChildren) c->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  SetExpanded(false);
  if (recurse)
    for (TTreeNode* c : FChildren) c->Collapse(true);
}

bool TTreeNode::Selected() const { return TreeView() && TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool v) {
  if (TTreeView* view = TreeView()) {
    if (v) view->SetSelected(this);
    else if (view->Selected() == this) view->SetSelected(nullptr);
  }
}

TTreeNode* TTreeNode::Item(int index) const {
  if (index < 0 || index >= Count()) throw rtl::EListError(Format(texts::ListIndexError, index));
  return FChildren[static_cast<std::size_t>(index)];
}

int TTreeNode::Index() const {
  const auto& list = FParent ? FParent->FChildren : FOwner->FRoots;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& list = FParent ? FParent->FChildren : FOwner->FRoots;
  const std::size_t i = static_cast<std::size_t>(Index()) + 1;
  return i < list.size() ? list[i] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

void TTreeNode::Delete() { FOwner->Delete(this); }

bool TTreeNode::EditText() {
  TTreeView* view = TreeView();
  platform::WindowPeer* peer = view ? view->Peer() : nullptr;
  // An edit box nobody can see would wait for a user that never comes.
  if (!peer || !FItemId || view->ReadOnly() || !view->Showing()) return false;
  // The node edited is the selected one, whatever the system's tree does about it.
  view->SetSelected(this);
  return peer->EditLabel(FItemId);
}

void TTreeNode::MakeVisible() {
  for (TTreeNode* p = FParent; p; p = p->FParent) p->SetExpanded(true);
  if (auto* p = TreePeer(this); p && FItemId) p->TreeMakeVisible(FItemId);
}

// ---- TTreeNodes

const TClassInfo& TTreeNodes::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTreeNodes>("TTreeNodes", &rtl::TPersistent::StaticClassInfo()).Abstract().Property("Count", &TTreeNodes::Count);
  return info;
}

TTreeNodes::TTreeNodes(TTreeView* owner) : FOwner(owner) {}

TTreeNodes::~TTreeNodes() {
  for (TTreeNode* n : FRoots) delete n;
}

void TTreeNodes::CreateItems(TTreeNode* node) {
  platform::WindowPeer* peer = FOwner ? FOwner->Peer() : nullptr;
  if (!peer) return;
  node->FItemId = peer->TreeInsert(node->FParent ? node->FParent->FItemId : 0, -1, node->FText.str(), node->FImageIndex,
                                   node->FSelectedIndex);
  FOwner->FById[node->FItemId] = node;
  for (TTreeNode* c : node->FChildren) CreateItems(c);
  if (node->FExpanded) peer->TreeExpand(node->FItemId, true);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const rtl::AnsiString& text) {
  if (parent && parent->FOwner != this) throw EInvalidOperation(texts::TreeNodeForeign);
  auto* node = new TTreeNode(this, parent);
  node->FText = text;
  SiblingsOf(parent).push_back(node);
  CreateItems(node);
  return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const rtl::AnsiString& text) {
  return AddChild(sibling ? sibling->FParent : nullptr, text);
}

void TTreeNodes::Unlink(TTreeNode* node) {
  if (FOwner) {
    std::function<void(TTreeNode*)> forget = [&](TTreeNode* n) {
      if (FOwner->FSelected == n) FOwner->FSelected = nullptr;
      FOwner->FById.erase(n->FItemId);
      for (TTreeNode* c : n->FChildren) forget(c);
    };
    forget(node);
  }
  auto& list = SiblingsOf(node->FParent);
  list.erase(std::remove(list.begin(), list.end(), node), list.end());
}

void TTreeNodes::Delete(TTreeNode* node) {
  if (!node || node->FOwner != this) return;
  platform::WindowPeer* peer = FOwner ? FOwner->Peer() : nullptr;
  if (peer && node->FItemId) peer->TreeDelete(node->FItemId);
  Unlink(node);
  delete node;
}

void TTreeNodes::Clear() {
  while (!FRoots.empty()) Delete(FRoots.back());
}

int TTreeNodes::Count() const {
  int n = 0;
  for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) ++n;
  return n;
}

TTreeNode* TTreeNodes::Item(int index) const {
  int i = 0;
  for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext(), ++i)
    if (i == index) return node;
  throw rtl::EListError(Format(texts::ListIndexError, index));
}

void TTreeNodes::LoadFromText(std::string_view text) {
  BeginUpdate();
  Clear();
  std::vector<TTreeNode*> path;  // the last node of each level
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (end < text.size() && text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    std::size_t level = 0;
    while (level < line.size() && line[level] == '\t') ++level;
    if (level == line.size()) {
      if (end == text.size()) break;
      continue;
    }
    if (level > path.size()) level = path.size();
    TTreeNode* node = AddChild(level == 0 ? nullptr : path[level - 1], rtl::AnsiString(line.substr(level)));
    path.resize(level);
    path.push_back(node);
    if (end == text.size()) break;
  }
  EndUpdate();
}

// ---- TTreeView

const TClassInfo& TTreeView::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TTreeView> b("TTreeView", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection);
    b.Property("Images", &TTreeView::Images, &TTreeView::SetImages);
    b.Property("Indent", &TTreeView::Indent, &TTreeView::SetIndent);
    b.Property("Items", &TTreeView::Items);
    b.Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly);
    b.Property("Selected", &TTreeView::Selected, &TTreeView::SetSelected);
    b.Property("TopItem", &TTreeView::TopItem, &TTreeView::SetTopItem);
    b.Event("OnChange", "TTVChangedEvent", &TTreeView::OnChange, &TTreeView::SetOnChange);
    return b;
  }();
  return info;
}

TTreeView::TTreeView(rtl::TComponent* owner) : TWinControl(owner), FItems(new TTreeNodes(this)) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() {
  if (FImages) FImages->SetOnChange(nullptr);
  // The nodes go before the window that shows them.
  FSelected = nullptr;
  delete FItems;
  FItems = nullptr;
}

platform::PeerStyle TTreeView::PeerStyle() const {
  platform::PeerStyle s;
  s.ClientEdge = true;
  s.ShowSelectionAlways = !FHideSelection;
  s.TreeIndent = FIndent;
  s.ReadOnly = FReadOnly;
  return s;
}

void TTreeView::SetImages(TImageList* v) {
  if (FImages) FImages->SetOnChange(nullptr);
  FImages = v;
  if (v) {
    v->FreeNotification(this);
    v->SetOnChange([this](rtl::TObject*) { ImagesChanged(); });
  }
  ImagesChanged();
}

void TTreeView::ImagesChanged() {
  if (!FPeer) return;
  std::vector<platform::CanvasPeer*> images;
  if (FImages)
    for (int i = 0; i < FImages->Count(); ++i) images.push_back(FImages->Image(i)->Surface());
  FPeer->SetTreeImages(images, FImages ? FImages->Width() : 16, FImages ? FImages->Height() : 16);
}

void TTreeView::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == rtl::opRemove && component == FImages) {
    FImages = nullptr;
    ImagesChanged();
  }
}

void TTreeView::PeerCreated() {
  TWinControl::PeerCreated();
  FById.clear();
  ImagesChanged();
  for (TTreeNode* n : FItems->FRoots) FItems->CreateItems(n);
  if (FSelected) FPeer->TreeSelect(FSelected->FItemId);
}

void TTreeView::DestroyPeer() {
  if (FItems) {
    std::function<void(TTreeNode*)> forget = [&](TTreeNode* n) {
      n->FItemId = 0;
      for (TTreeNode* c : n->FChildren) forget(c);
    };
    for (TTreeNode* n : FItems->FRoots) forget(n);
  }
  FById.clear();
  TWinControl::DestroyPeer();
}

TTreeNode* TTreeView::NodeOf(platform::TreeItemId id) const {
  auto it = FById.find(id);
  return it == FById.end() ? nullptr : it->second;
}

void TTreeView::SetSelected(TTreeNode* node) {
  if (node && node->FOwner != FItems) throw EInvalidOperation(texts::TreeNodeForeign);
  if (node == FSelected) return;
  FSelected = node;
  if (FPeer) FPeer->TreeSelect(node ? node->FItemId : 0);
  if (FOnChange) FOnChange(this, node);
}

void TTreeView::PeerChanged() {
  TTreeNode* node = FPeer ? NodeOf(FPeer->TreeSelected()) : nullptr;
  if (node == FSelected) return;
  FSelected = node;
  if (FOnChange) FOnChange(this, node);
}

void TTreeView::PeerTreeExpanded(std::intptr_t item, bool expanded) {
  if (TTreeNode* n = NodeOf(item)) n->FExpanded = expanded;
}

bool TTreeView::PeerLabelEditing(std::intptr_t item) { return !FReadOnly && NodeOf(item) != nullptr; }

void TTreeView::PeerLabelEdited(std::intptr_t item, bool accepted, const std::string& text) {
  // The node may have gone while its label was being edited.
  if (TTreeNode* node = accepted ? NodeOf(item) : nullptr) node->SetText(rtl::AnsiString(text));
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const {
  return FPeer ? NodeOf(FPeer->TreeItemAt(x, y)) : nullptr;
}

void TTreeView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbRight)
    if (TTreeNode* node = GetNodeAt(x, y)) SetSelected(node);
  TWinControl::MouseDown(button, shift, x, y);
}

TRect TTreeNode::DisplayRect() const {
  TTreeView* tree = TreeView();
  TRect r{};
  if (tree && tree->Peer() && FItemId) tree->Peer()->TreeItemRect(FItemId, r.Left, r.Top, r.Right, r.Bottom);
  return r;
}

void TTreeView::FullExpand() {
  for (TTreeNode* n : FItems->FRoots) n->Expand(true);
}

void TTreeView::FullCollapse() {
  for (TTreeNode* n : FItems->FRoots) n->Collapse(true);
}

}  // namespace gui
