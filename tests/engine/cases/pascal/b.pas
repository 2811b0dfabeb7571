begin
end.
