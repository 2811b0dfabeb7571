begin
  DbgLog('seen ' + IntToStr(GetVariable('A')));
end.
