{ String lists with names and values, sorting, Find with its index written back,
  objects on lines, lists, and an index error that drops its row. }
var
  sl: TStringList;
  l: TList;
  i: Integer;
  found: Boolean;
begin
  sl := TStringList.Create;
  sl.CommaText := GetVariable('Pairs');
  SetVariable('Count', sl.Count);
  SetVariable('Unit', sl.Values['unit']);
  SetVariable('Missing', sl.Values['nothing']);
  SetVariable('FirstName', sl.Names[0]);
  sl.Values['checked'] := 'yes';
  sl.Sort;
  SetVariable('Sorted', sl.CommaText);
  found := sl.Find('unit=' + sl.Values['unit'], i);
  SetVariable('Found', found);
  SetVariable('At', i);
  l := TList.Create;
  l.Add(sl);
  sl.AddObject('list', l);
  SetVariable('Classes', TObject(l[0]).ClassName + ' ' + sl.Objects[sl.IndexOf('list')].ClassName);
  SetVariable('LineText', sl[GetVariable('Line')]);
  l.Free;
  sl.Free;
end.
