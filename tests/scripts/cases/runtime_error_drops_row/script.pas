begin
  if GetVariable('A') = 2 then
    RaiseException('row two fails');
  SetVariable('Ok', GetVariable('A'));
end.
