{ The soak's script: every row makes a string list, an owner with a component and a
  document with an element; every tenth row fails before it frees them. Every
  hundredth row also files an object in a global list, so what the program still
  reaches is kept, failing row or not. }
var keep: TStringList;
procedure Work(n: Integer);
var sl: TStringList; owner: TComponent; d: TfsXMLDocument; i: Integer;
begin
  sl := TStringList.Create;
  for i := 1 to 20 do sl.Add(DupeString('x', 50));
  owner := TComponent.Create(nil);
  TComponent.Create(owner);
  d := TfsXMLDocument.Create;
  d.Root.Add.Prop['n'] := IntToStr(n);
  if n mod 100 = 0 then keep.AddObject(IntToStr(n), TStringList.Create);
  if n mod 10 = 0 then RaiseException('row ' + IntToStr(n) + ' fails');
  d.Free;
  owner.Free;
  sl.Free;
end;
begin
  if GetVariable('A') = 1 then keep := TStringList.Create;
  Work(GetVariable('A'));
  SetVariable('Kept', keep.Count);
end.
