// The row's text values arrive wide: the string routines whose work needs no bytes
// keep characters that the code page lacks, and nothing is logged about them.
var
  v, w: Variant;
begin
  v := GetVariable('V');
  SetVariable('Trim', Trim(v));
  SetVariable('TrimLeft', TrimLeft(v) + '|');
  SetVariable('TrimRight', '|' + TrimRight(v));
  SetVariable('Upper', UpperCase(v + 'abc'));
  SetVariable('Lower', LowerCase(v + 'ABC'));
  SetVariable('AnsiUpper', AnsiUpperCase(GetVariable('Word')));
  SetVariable('Copy', Copy(v, 3, 2));
  SetVariable('Pos', Pos(Copy(v, 4, 1), v));
  SetVariable('AnsiPos', AnsiPos(Copy(v, 3, 2), v));
  SetVariable('PosEx', PosEx(Copy(v, 2, 1), v + v, 3));
  SetVariable('Mid', MidStr(v, 2, 2));
  SetVariable('Left', LeftStr(v, 3));
  SetVariable('Right', RightStr(v, 2));
  SetVariable('Reverse', ReverseString(Trim(v)));
  SetVariable('Contains', AnsiContainsStr(v, Copy(v, 3, 2)));
  SetVariable('Length', Length(v));
  SetVariable('Replace', AnsiReplaceStr(v + v, Copy(v, 3, 1), '-'));
  SetVariable('IfThen', IfThen(Length(v) > 3, Trim(v), 'short'));
  w := v;
  Delete(w, 1, 2);
  Insert(Copy(v, 2, 1), w, 3);
  SetVariable('DeleteInsert', w);
end.
