// The tree view with its nodes.
#pragma once

#include <functional>
#include <unordered_map>
#include <vector>

#include "gui/Controls.h"
#include "gui/ImgList.h"

namespace gui {

class TTreeNodes;
class TTreeView;

class TTreeNode : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  TTreeNode(TTreeNodes* owner, TTreeNode* parent);
  ~TTreeNode() override;

  const rtl::AnsiString& Text() const noexcept { return FText; }
  void SetText(const rtl::AnsiString& v);
  int ImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(int v);
  int SelectedIndex() const noexcept { return FSelectedIndex; }
  void SetSelectedIndex(int v);
  int StateIndex() const noexcept { return FStateIndex; }
  void SetStateIndex(int v) noexcept { FStateIndex = v; }
  std::intptr_t Data() const noexcept { return FData; }
  void SetData(std::intptr_t v) noexcept { FData = v; }
  bool Expanded() const noexcept { return FExpanded; }
  void SetExpanded(bool v);
  void Expand(bool recurse);
  void Collapse(bool recurse);
  bool Selected() const;
  void SetSelected(bool v);
  bool Focused() const { return Selected(); }
  void SetFocused(bool v) { SetSelected(v); }

  TTreeNode* Parent() const noexcept { return FParent; }
  int Count() const noexcept { return static_cast<int>(FChildren.size()); }
  bool HasChildren() const noexcept { return !FChildren.empty(); }
  TTreeNode* Item(int index) const;
  int Index() const;
  int Level() const;
  // The next node in display order, all levels, collapsed ones included; null after
  // the last.
  TTreeNode* GetNext() const;
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetNextSibling() const;
  void Delete();
  // Turns the text into an edit box in place, where the user types: Enter or leaving
  // the box keeps the new text (set as by SetText), Escape the old one. False when
  // editing does not start: no tree, a read-only tree, or one not showing.
  bool EditText();
  void MakeVisible();
  // The rectangle of the node's label in the tree's client area; empty when it is not
  // shown.
  TRect DisplayRect() const;
  TTreeNodes* Owner() const noexcept { return FOwner; }
  TTreeView* TreeView() const;

private:
  friend class TTreeNodes;
  friend class TTreeView;
  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::vector<TTreeNode*> FChildren;
  rtl::AnsiString FText;
  int FImageIndex = -1, FSelectedIndex = -1, FStateIndex = -1;
  std::intptr_t FData = 0;
  bool FExpanded = false;
  platform::TreeItemId FItemId = 0;
};

class TTreeNodes : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  explicit TTreeNodes(TTreeView* owner = nullptr);
  ~TTreeNodes() override;

  // A node after the last sibling of node (at the top level for null).
  TTreeNode* Add(TTreeNode* sibling, const rtl::AnsiString& text);
  // A last child of node (top level for null).
  TTreeNode* AddChild(TTreeNode* parent, const rtl::AnsiString& text);
  void Delete(TTreeNode* node);
  void Clear();
  void BeginUpdate() noexcept { ++FUpdating; }
  void EndUpdate() noexcept { if (FUpdating > 0) --FUpdating; }
  // All nodes, all levels.
  int Count() const;
  // The node at a position in display order (all levels).
  TTreeNode* Item(int index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  const std::vector<TTreeNode*>& Roots() const noexcept { return FRoots; }
  // Reads a tab-indented outline: one node per line, its level the number of leading
  // tab characters.
  void LoadFromText(std::string_view text);
  TTreeView* Owner() const noexcept { return FOwner; }

private:
  friend class TTreeNode;
  friend class TTreeView;
  std::vector<TTreeNode*>& SiblingsOf(TTreeNode* parent) { return parent ? parent->FChildren : FRoots; }
  void Unlink(TTreeNode* node);
  void CreateItems(TTreeNode* node);

  TTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdating = 0;
};

using TTVChangedEvent = std::function<void(rtl::TObject* Sender, TTreeNode* Node)>;

class TTreeView : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TTreeView(rtl::TComponent* owner = nullptr);
  ~TTreeView() override;

  TTreeNodes* Items() const noexcept { return FItems; }
  TTreeNode* Selected() const noexcept { return FSelected; }
  void SetSelected(TTreeNode* node);
  TTreeNode* TopItem() const noexcept { return FSelected ? FSelected : FItems->GetFirstNode(); }
  void SetTopItem(TTreeNode* node) {
    if (node) node->MakeVisible();
  }
  bool ReadOnly() const noexcept { return FReadOnly; }
  // A read-only tree refuses in-place editing, by code and by the user's clicks.
  void SetReadOnly(bool v) { FReadOnly = v; StyleChanged(); }
  bool HideSelection() const noexcept { return FHideSelection; }
  void SetHideSelection(bool v) { FHideSelection = v; StyleChanged(); }
  int Indent() const noexcept { return FIndent; }
  void SetIndent(int v) { FIndent = v; StyleChanged(); }
  TImageList* Images() const noexcept { return FImages; }
  void SetImages(TImageList* v);
  void FullExpand();
  void FullCollapse();
  // The node shown at a client point, or null.
  TTreeNode* GetNodeAt(int x, int y) const;
  const TTVChangedEvent& OnChange() const noexcept { return FOnChange; }
  void SetOnChange(TTVChangedEvent h) { FOnChange = std::move(h); }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::TreeView; }
  platform::PeerStyle PeerStyle() const override;
  void PeerCreated() override;
  void DestroyPeer() override;
  void PeerChanged() override;
  // The right button selects the node under the pointer first, so that the context
  // menu acts on the node it was opened on.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void PeerTreeExpanded(std::intptr_t item, bool expanded) override;
  bool PeerLabelEditing(std::intptr_t item) override;
  void PeerLabelEdited(std::intptr_t item, bool accepted, const std::string& text) override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

private:
  friend class TTreeNode;
  friend class TTreeNodes;
  TTreeNode* NodeOf(platform::TreeItemId id) const;
  void ImagesChanged();

  TTreeNodes* FItems;
  TTreeNode* FSelected = nullptr;
  bool FReadOnly = false, FHideSelection = true;
  int FIndent = 19;
  TImageList* FImages = nullptr;
  std::unordered_map<platform::TreeItemId, TTreeNode*> FById;
  TTVChangedEvent FOnChange;
};

}  // namespace gui
