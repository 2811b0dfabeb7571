begin
  a := 1
  b := 2
end.
