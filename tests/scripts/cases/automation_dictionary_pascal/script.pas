var
  d, inner: Variant;
begin
  d := CreateOleObject('Scripting.Dictionary');
  d.CompareMode := 1;
  d.Add('a', GetVariable('A'));
  d.Add('b', 'two');
  inner := CreateOleObject('Scripting.Dictionary');
  inner.Add('x', 1);
  inner.Add('y', 2);
  inner.Add('z', 3);
  d.Add('inner', inner);
  d.Item('b') := 'changed';
  SetVariable('Count', d.Count);
  SetVariable('ByKey', d.Item('B'));
  SetVariable('A2', d.Item('a') * 2);
  SetVariable('Chained', d.Item('inner').Count);
  SetVariable('Exists', d.Exists('inner'));
  d.RemoveAll;
  SetVariable('After', d.Count);
  try
    d.NoSuchMember;
  except
    SetVariable('Error', ExceptionMessage);
  end;
  try
    d.Add('x', 1);
    d.Add('x', 2);
  except
    SetVariable('Duplicate', ExceptionMessage);
  end;
end.
