// A handler that frees the object whose event it handles (the form, the control, its
// owner, Sender): the freeing waits until the event has returned, and every row and
// packet goes on.
var f: TForm; b: TButton; what: String;

procedure Query(Sender: TObject; var CanClose: Boolean);
begin
  if what = 'query' then Sender.Free;
end;

procedure Closing(Sender: TObject; var Action: TCloseAction);
begin
  if what = 'close' then f.Free;
end;

procedure Sizing(Sender: TObject; var NewWidth, NewHeight: Integer; var Resize: Boolean);
begin
  if what = 'resize' then b.Owner.Free;
  if what = 'button' then Sender.Free;
end;

procedure Shown(Sender: TObject);
begin
  if what = 'show' then f.Free;
end;

procedure Destroyed(Sender: TObject);
begin
  if what = 'destroy' then f.Free;
end;

begin
  what := GetVariable('What');
  f := TForm.Create(nil);
  b := TButton.Create(f);
  b.Parent := f;
  f.OnCloseQuery := 'Query';
  f.OnClose := 'Closing';
  f.OnShow := 'Shown';
  f.OnDestroy := 'Destroyed';
  b.OnCanResize := 'Sizing';
  if (what = 'query') or (what = 'close') then f.Close;
  if what = 'resize' then b.SetBounds(1, 2, 30, 40);
  if what = 'button' then
  begin
    b.Width := 50;
    f.Free;
  end;
  if what = 'show' then f.ShowModal;
  if (what = 'destroy') or (what = 'none') then f.Free;
  SetVariable('Done', True);
end.
