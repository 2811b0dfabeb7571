// Rows carry a day as text; the script adds its ISO week, whether it is a working day,
// its Unix time, that year's Easter and the next working day. A row without the
// variable the script asks for gets null, not an error.
var day = StrFormat2Date(GetVariable("Stamp"), "yyyy-mm-dd");
SetVariable("Week", Date2ISOWeekStr(day));
SetVariable("Working", IsWorkingDay(day));
SetVariable("Unix", DateTimeToUnix(day));
SetVariable("Easter", Date2ISOEnhStr(GetEasterSunday3(day)));
SetVariable("Next", Date2ISOEnhStr(NextWorkingDay(day)));
SetVariable("Missing", WeekOfTheYear(GetVariable("NoSuch")));
