// A variable declared as string keeps 8-bit text: a wide value is narrowed on
// assignment, and a loss is logged once with the variable's name.
var
  s: string;
  v: Variant;
begin
  v := GetVariable('V');
  s := v;
  SetVariable('S', s);
  SetVariable('V2', v);
end.
