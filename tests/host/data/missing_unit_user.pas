// A unit that is nowhere: the uses line is the compile error.
uses 'missing_unit.pas';
begin
end.
