{ Texts past the script memory limit (512 MB by default) fail their row before any
  of them is made; the rows around them run. }
begin
  if GetVariable('A') = 1 then SetVariable('L', Length(DupeString('abc', 2147483647)));
  if GetVariable('A') = 2 then SetVariable('L', Length(DupeString('ab', 1000000000)));
  if GetVariable('A') = 3 then SetVariable('L', Length(DupeString('ab', 1000)));
end.
