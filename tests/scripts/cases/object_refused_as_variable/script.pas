// An object is no row value: handing one to SetVariable is a compile error, and the
// packets pass unchanged.
var l: TStringList;
begin
  l := TStringList.Create;
  SetVariable('List', l);
  l.Free;
end.
