' Two Unix time stamps of a row: the minutes and the span between them, and an age at
' the later one. A stamp the row does not have makes the result null.
Dim a, b
a = UnixToDateTime(GetVariable("Start"))
b = UnixToDateTime(GetVariable("End"))
SetVariable("Minutes", MinutesBetween(a, b))
SetVariable("Span", TimeApartStr(a, b))
SetVariable("Day", Date2ISOEnhStr(b))
SetVariable("Age", AgeAtDate(EncodeDate(2000, 2, 29), b))
SetVariable("Missing", HoursBetween(a, GetVariable("NoSuch")))
