begin
  SetVariable('Seen', 1);
end.
