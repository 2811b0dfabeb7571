begin
  SetVariable('temp', 21);
  SetVariable('Added', GetVariableCount);
  SetVariable('FirstName', GetVariableNameByIndex(0));
  SetVariable('Missing', GetVariableDef('nothing', 5));
  SetVariable('NullDef', GetVariableDef('N', 6));
  SetVariable('Defined', IsVariableDefined('N'));
  SetVariable('Valid', IsVariableDefinedValid('N'));
  SetVariable('OutOfRange', GetVariableByIndex(-1));
  DeleteVariable('Gone');
end.
