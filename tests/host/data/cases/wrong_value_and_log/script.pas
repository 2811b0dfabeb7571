begin
  DbgLog('seen ' + IntToStr(GetVariable('A')));
  SetVariable('B', GetVariable('A'));
end.
