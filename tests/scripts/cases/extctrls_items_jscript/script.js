// Tree nodes and list items from JScript: a tree built from the parts of the row's
// path, a list view that keeps its items sorted by caption, items and nodes deleted,
// and every object freed before the row ends. A path of one part leaves the list
// empty after the deletion, and reading its first item drops the row.
var tree = TTreeView.Create(null);
var list = TListView.Create(null);
var parts = TStringList.Create;
var node = null;
var i;
parts.CommaText = GetVariable("Path");
for (i = 0; i < parts.Count; i++) {
  node = tree.Items.AddChild(node, parts[i]);
  node.Data = i + 1;
}
tree.Items.Add(tree.Items[0], "sibling");
tree.FullExpand;
tree.Selected = node;
SetVariable("Nodes", tree.Items.Count);
SetVariable("Leaf", tree.Selected.Text + "@" + IntToStr(tree.Selected.Data));
tree.Items.Delete(tree.Items[1]);
SetVariable("Left", tree.Items.Count);
list.SortType = stText;
for (i = parts.Count - 1; i >= 0; i--) list.Items.Add.Caption = parts[i];
SetVariable("First", list.Items[0].Caption);
list.Items.Delete(0);
SetVariable("Then", list.Items[0].Caption);
SetVariable("Selected", list.ItemIndex);
delete parts;
delete list;
delete tree;
