begin
  ShowMessage('hello ' + GetVariable('Name'));
end.
