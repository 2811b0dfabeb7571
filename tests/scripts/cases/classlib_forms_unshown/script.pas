// A form with controls made, changed and freed for every row, never shown.
var f: TForm; b: TButton; e: TEdit; l: TLabel;
begin
  f := TForm.Create(nil);
  f.Caption := GetVariable('Name');
  f.SetBounds(0, 0, 200, 120);
  b := TButton.Create(f);
  b.Parent := f;
  b.SetBounds(8, 8, 75, 25);
  b.Caption := 'OK';
  e := TEdit.Create(f);
  e.Parent := f;
  e.Text := GetVariable('Name') + '!';
  l := TLabel.Create(f);
  l.Parent := f;
  l.Caption := 'Name:';
  SetVariable('Caption', f.Caption);
  SetVariable('Edit', e.Text);
  SetVariable('Button', b.Caption + ' ' + IntToStr(b.Left) + ',' + IntToStr(b.Top) + ' ' + IntToStr(b.Width));
  SetVariable('Label', l.Caption);
  SetVariable('Shown', f.Visible);
  SetVariable('Cursor', crHandPoint);
  f.Free;
end.
