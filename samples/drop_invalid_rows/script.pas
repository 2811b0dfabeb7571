{ Drops rows without a valid reading, and readings outside the sensor's range. }
begin
  if not IsVariableDefinedValid('Value') then
    DiscardDataPacket('no value')
  else if (GetVariable('Value') < 0) or (GetVariable('Value') > 1000) then
    DiscardDataPacket('out of range: ' + VarToStr(GetVariable('Value')));
end.
