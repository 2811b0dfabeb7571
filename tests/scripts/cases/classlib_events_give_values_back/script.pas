// Procedures on a control's and a form's events, fired by the toolkit itself: the
// size a resize handler allows, a close query refused once, the close action chosen.
var f: TForm; b: TButton; asked: Integer; log: String;

procedure Sizing(Sender: TObject; var NewWidth, NewHeight: Integer; var Resize: Boolean);
begin
  if NewWidth > 100 then NewWidth := 100;
end;

procedure Query(Sender: TObject; var CanClose: Boolean);
begin
  asked := asked + 1;
  CanClose := asked > 1;
  log := log + 'query' + IntToStr(asked) + ' ';
end;

procedure Closing(Sender: TObject; var Action: TCloseAction);
begin
  log := log + 'close' + IntToStr(Action) + ' ';
  Action := caHide;
end;

begin
  asked := 0;
  log := '';
  f := TForm.Create(nil);
  b := TButton.Create(f);
  b.Parent := f;
  b.OnCanResize := 'Sizing';
  b.Width := GetVariable('Width');
  f.OnCloseQuery := 'Query';
  f.OnClose := 'Closing';
  f.Close;
  f.Close;
  SetVariable('ButtonWidth', b.Width);
  SetVariable('Events', Trim(log));
  f.Free;
end.
