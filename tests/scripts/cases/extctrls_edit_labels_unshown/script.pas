{ In-place editing asked of a tree node and a list item whose views are never shown:
  no edit box can start, so both answer False and the texts stay as they were, read-only
  or not. }
var
  f: TForm;
  tree: TTreeView;
  node: TTreeNode;
  list: TListView;
  item: TListItem;
begin
  f := TForm.Create(nil);
  tree := TTreeView.Create(f);
  tree.Parent := f;
  tree.ReadOnly := GetVariable('ReadOnly');
  node := tree.Items.Add(nil, GetVariable('Name'));
  list := TListView.Create(f);
  list.Parent := f;
  list.ReadOnly := GetVariable('ReadOnly');
  item := list.Items.Add;
  item.Caption := GetVariable('Name');
  SetVariable('NodeEdits', node.EditText);
  SetVariable('ItemEdits', item.EditCaption);
  SetVariable('Node', node.Text);
  SetVariable('Item', item.Caption);
  f.Free;
end.
