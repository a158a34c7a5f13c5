' age in days, next Monday, long/short date formats and a month calendar
Dim d, born, nextMon, i, m, y, first, wd, row, dd
d = DateSerial(2024, 3, 14)
born = #7/4/1990#
WScript.Echo d, born, DateDiff("d", born, d), DateDiff("yyyy", born, d), DateDiff("m", born, d), DateDiff("ww", born, d), DateDiff("w", born, d)
WScript.Echo Weekday(d), WeekdayName(Weekday(d)), WeekdayName(Weekday(d), True), MonthName(3), MonthName(3, True)
nextMon = DateAdd("d", (9 - Weekday(d)) Mod 7, d)
If nextMon = d Then nextMon = d + 7
WScript.Echo "Next Monday:", nextMon, FormatDateTime(nextMon, vbLongDate)
WScript.Echo FormatDateTime(d), FormatDateTime(d, 1), FormatDateTime(d, 2), FormatDateTime(#13:05:09#, 3), FormatDateTime(#13:05:09#, 4)
WScript.Echo FormatDateTime(#3/14/2024 8:05:00 PM#), #3/14/2024 8:05:00 PM#, #12:00:00 AM#, CDate("2024-03-14 00:00"), TimeSerial(25, 0, 0)
WScript.Echo DateAdd("m", 1, #1/31/2024#), DateAdd("yyyy", 1, #2/29/2024#), DateAdd("q", -1, #5/31/2024#), DateAdd("h", 5, #3/14/2024 22:00#)
WScript.Echo DatePart("q", d), DatePart("y", d), DatePart("ww", d), DatePart("ww", #1/1/2024#, vbMonday, vbFirstFourDays), Year(d), Month(d), Day(d)
y = 2024: m = 2
first = DateSerial(y, m, 1)
WScript.Echo Space((20 - Len(MonthName(m) & " " & y)) \ 2) & MonthName(m) & " " & y
WScript.Echo "Su Mo Tu We Th Fr Sa"
row = String((Weekday(first) - 1) * 3, " ")
For dd = 1 To Day(DateSerial(y, m + 1, 0))
  row = row & Right(" " & dd, 2)
  If Weekday(DateSerial(y, m, dd)) = 7 Then WScript.Echo RTrim(row): row = "" Else row = row & " "
Next
If row <> "" Then WScript.Echo RTrim(row)
WScript.Echo DateDiff("d", #1/1/2024#, #1/1/2025#), CLng(#1/1/2000#), CDbl(#1/1/2000 6:00#), IsDate("2/30/2024"), IsDate("Feb 29 2024")
WScript.Echo Hour(#14:30:15#), Minute(#14:30:15#), Second(#14:30:15#), TypeName(Now), Timer >= 0
WScript.Echo DateValue("March 5, 2024"), TimeValue("5:06 pm"), CDate(45000), CDate(0.75), CDate(-1)
WScript.Echo DateDiff("h", #3/14/2024 23:59#, #3/15/2024 0:01#), DateDiff("n", #10:00#, #9:30#), DateDiff("s", #0:00#, #0:01:30#)
