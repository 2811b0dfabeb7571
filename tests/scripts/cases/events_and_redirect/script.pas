begin
  SendEvent('plain');
  SendEventEx('E', ['a', 1, 'b']);
  SendEventEx('e', ['EVENT-GLOBAL', True]);
  RedirectData('Cfg2');
  DbgLog('default level');
  DbgLog('level seven', 7);
end.
