{ Row 1 doubles a text thirty times (1 GB if it were let); row 2 does not. }
var s: string; i: Integer;
begin
  s := 'x';
  if GetVariable('A') = 1 then
    for i := 1 to 30 do s := s + s;
  SetVariable('L', Length(s));
end.
