// Without a display and without anybody to answer, dialogs give the cancelling answer
// at once and say so in the log; the row goes on.
var s: String; d: TOpenDialog;
begin
  SetVariable('Answer', MessageDlg('Keep ' + GetVariable('Name') + '?', mtConfirmation, mbYes + mbNo, 0));
  SetVariable('Box', InputBox('Rename', 'New name:', GetVariable('Name')));
  s := 'x';
  SetVariable('Query', InputQuery('Rename', 'New name:', s));
  d := TOpenDialog.Create(nil);
  SetVariable('Opened', d.Execute);
  d.Free;
end.
