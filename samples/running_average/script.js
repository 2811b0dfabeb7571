// Keeps a running average of Value across packets with the stored variables.
var count = 1;
var sum = GetVariable("Value");
if (IsVariableStored("Count")) {
  count = PopVariable("Count") + 1;
  sum = PopVariable("Sum") + sum;
}
PushVariable("Count", count);
PushVariable("Sum", sum);
SetVariable("Average", sum / count);
