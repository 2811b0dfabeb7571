begin
  SetVariable('A' 2);
end.
