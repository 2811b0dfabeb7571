{ The extended controls made, changed and freed without being shown: a form holds a
  page control with sheets, a status bar, a track bar and a list view filled from the
  row; a check list box marks the values above a limit; an index outside the pages
  drops its row. }
var
  f: TForm;
  pages: TPageControl;
  sheet: TTabSheet;
  status: TStatusBar;
  track: TTrackBar;
  list: TListView;
  checks: TCheckListBox;
  names: TStringList;
  i, above: Integer;
begin
  f := TForm.Create(nil);
  pages := TPageControl.Create(f);
  pages.Parent := f;
  sheet := TTabSheet.Create(f);
  sheet.Caption := 'Values';
  sheet.PageControl := pages;
  sheet := TTabSheet.Create(f);
  sheet.Caption := 'Limits';
  sheet.PageControl := pages;
  pages.SelectNextPage(True);
  status := TStatusBar.Create(f);
  status.Parent := f;
  status.Panels.Add.Text := GetVariable('Name');
  track := TTrackBar.Create(f);
  track.Parent := pages.Pages[1];
  track.Max := 10;
  track.Position := GetVariable('Limit');
  list := TListView.Create(f);
  list.Parent := pages.Pages[0];
  list.ViewStyle := vsReport;
  list.Columns.Add.Caption := 'Name';
  checks := TCheckListBox.Create(f);
  checks.Parent := pages.Pages[1];
  names := TStringList.Create;
  names.CommaText := GetVariable('Values');
  above := 0;
  for i := 0 to names.Count - 1 do
  begin
    list.Items.Add.Caption := names.Names[i];
    list.Items[i].SubItems.Add(names.Values[names.Names[i]]);
    checks.Items.Add(names.Names[i]);
    checks.Checked[i] := StrToInt(names.Values[names.Names[i]]) > track.Position;
    if checks.Checked[i] then above := above + 1;
  end;
  SetVariable('Page', pages.ActivePage.Caption);
  SetVariable('Pages', pages.PageCount);
  SetVariable('Status', status.Panels.Items[0].Text);
  SetVariable('Limit', track.Position);
  SetVariable('Items', list.Items.Count);
  SetVariable('Last', list.Items[list.Items.Count - 1].Caption);
  SetVariable('Above', above);
  SetVariable('Sheet', pages.Pages[GetVariable('Sheet')].Caption);
  names.Free;
  f.Free;
end.
