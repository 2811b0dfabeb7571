// Many stored names, each found again whatever its case; a blank name is not stored.
var i, sum: Integer;
begin
  if not IsVariableStored('n0') then
    for i := 0 to 4999 do
      PushVariable('n' + IntToStr(i), i);
  sum := 0;
  for i := 0 to 4999 do
    sum := sum + PopVariable('N' + IntToStr(i));
  PushVariable('n7', PopVariable('n7') + 1);
  PushVariable('', 1);
  SetVariable('Sum', sum);
  SetVariable('Seven', PopVariable('N7'));
  SetVariable('Blank', IsVariableStored(''));
end.
