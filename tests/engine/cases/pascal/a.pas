var A: integer;
begin
end.
