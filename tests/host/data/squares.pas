var i: Integer;
begin
  for i := 1 to 3 do
    WriteLn(i * i);
end.
