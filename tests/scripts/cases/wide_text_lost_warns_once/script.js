// Where text must be 8-bit (a variable's name, a string variable, a byte routine), the
// characters the code page lacks become "?": the configuration's log says so once, with
// the routine that lost them, however many rows and packets lose more.
var s = "";
SetVariable("Upper", StrUpper(GetVariable("V")));
SetVariable(GetVariable("Name"), 1);
s = GetVariable("V");
SetVariable("Narrow", s);
SetVariable("Wide", Trim(GetVariable("V")));
