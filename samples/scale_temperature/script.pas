{ Converts the temperature of every row from Celsius to Fahrenheit and rounds it. }
var
  Celsius: Double;
begin
  Celsius := GetVariable('Temp');
  SetVariable('TempF', Round(Celsius * 9 / 5 + 32));
  SetVariable('Unit', 'F');
end.
