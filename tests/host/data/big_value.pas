// Packet 2 gets a value whose JSON text needs more memory than velmora-host may take.
begin
  if GetVariable('A') = 2 then
    SetVariable('B', DupeString(Chr(128), 250000000))
  else
    SetVariable('B', 1);
end.
