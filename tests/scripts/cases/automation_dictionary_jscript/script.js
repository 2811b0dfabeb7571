var d = CreateOleObject("Scripting.Dictionary");
d.Add("k1", "one");
d.Add("k2", GetVariable("A"));
var inner = CreateOleObject("Scripting.Dictionary");
inner.Add(1, "x");
d.Add("inner", inner);
d.Item("k1") = "uno";
SetVariable("Count", d.Count);
SetVariable("First", d.Item("k1"));
SetVariable("Second", d.Item("k2") + 1);
SetVariable("Chained", d.Item("inner").Item(1));
try {
  SetVariable("Missing", d.Lookup("k1"));
} except {
  SetVariable("Error", ExceptionMessage);
}
