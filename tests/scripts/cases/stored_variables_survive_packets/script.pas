begin
  if IsVariableStored('Total') then
    PushVariable('Total', PopVariable('Total') + GetVariable('V'))
  else
    PushVariable('Total', GetVariable('V'));
  SetVariable('Total', PopVariable('Total'));
end.
