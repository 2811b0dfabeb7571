begin
  SetVariable('Data', SendData('abc'));
  SetVariable('Empty', SendData(''));
  SetVariable('Str', SendString('hi'));
  SetVariable('Byte', SendByte(321));
  SetVariable('Port', SendDataToDataSource('COM5', 'p'));
  SendDataToDataSource('com5', 'q');
end.
