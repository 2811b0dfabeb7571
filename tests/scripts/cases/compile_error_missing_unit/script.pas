// A unit that is nowhere is a compile error: the packets pass unchanged.
uses 'missing_unit.pas';
begin
  SetVariable('A', 5);
end.
