begin
  SetVariable('Seen', True);
  if GetVariable('A') = 2 then
    DiscardDataPacket('two is dropped');
  if GetVariable('A') = 3 then
    DiscardDataPacket('', True);
end.
