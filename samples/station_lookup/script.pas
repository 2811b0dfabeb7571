{ Names the station of every row from a lookup table of "code=name" lines. The table
  is a string list built on the first row and kept for every packet after it; a row
  whose code the table does not know is dropped with a warning. }
var
  Stations: TStringList;
  Code: string;
  Index: Integer;
begin
  if Stations = nil then
  begin
    Stations := TStringList.Create;
    Stations.CommaText := 'N01=North,S02=South,E03=East,W04=West';
    Stations.Sort;
    DbgLog('station table loaded with ' + IntToStr(Stations.Count) + ' entries', 2);
  end;
  Code := GetVariable('Code');
  Index := Stations.IndexOfName(Code);
  if Index < 0 then
    DiscardDataPacket('unknown station ' + Code)
  else
    SetVariable('Station', Stations.Values[Code]);
end.
