begin
  SetVariable('Part', 1);
  SetVariable('Extra', 'x');
  NewRow;
  SetVariable('A', 'changed');
  SetVariable('Part', 2);
end.
