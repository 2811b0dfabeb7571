begin
  WriteLn(1 div 0);
end.
