' Date functions on fixed dates: building and normalising dates, parts,
' names, DateAdd month ends, DateDiff boundaries, week numbering rules.
WScript.Echo DateSerial(2003, 1, 2)
WScript.Echo DateSerial(2003, 14, 1)
WScript.Echo DateSerial(2003, 3, 0)
WScript.Echo DateSerial(2004, 3, 0)
WScript.Echo DateSerial(2003, 1, 32)
WScript.Echo DateSerial(2003, -1, 1)
WScript.Echo DateSerial(2003, 1, 1) - 1
WScript.Echo TypeName(DateSerial(2003, 1, 1))
WScript.Echo TimeSerial(15, 4, 5)
WScript.Echo TimeSerial(0, 90, 0)
WScript.Echo TimeSerial(12, 0, 0)
WScript.Echo TimeSerial(0, 0, 0)
WScript.Echo TimeSerial(1, -1, 30)
WScript.Echo CDbl(TimeSerial(6, 0, 0))
Dim d
d = CDate("1/2/2003 3:04:05 PM")
WScript.Echo d
WScript.Echo Year(d) & " " & Month(d) & " " & Day(d)
WScript.Echo Hour(d) & " " & Minute(d) & " " & Second(d)
WScript.Echo Weekday(d) & " " & Weekday(d, vbMonday) & " " & Weekday(d, vbSaturday)
WScript.Echo TypeName(Year(d)) & " " & TypeName(Weekday(d))
WScript.Echo DateValue(d) & "|" & TimeValue(d)
WScript.Echo DateValue("2/3/2004 10:00 AM") & "|" & TimeValue("2/3/2004 10:00 AM")
WScript.Echo Year("12/25/1999")
WScript.Echo IsNull(Year(Null)) & " " & IsNull(Hour(Null))
WScript.Echo "-- names"
WScript.Echo MonthName(1) & " " & MonthName(12, True) & " " & MonthName(5, False)
WScript.Echo WeekdayName(1) & " " & WeekdayName(7, True) & " " & WeekdayName(1, False, vbMonday)
WScript.Echo WeekdayName(Weekday(d))
WScript.Echo "-- DateAdd"
WScript.Echo DateAdd("d", 30, DateSerial(2003, 1, 2))
WScript.Echo DateAdd("m", 1, DateSerial(2003, 1, 31))
WScript.Echo DateAdd("m", 1, DateSerial(2004, 1, 31))
WScript.Echo DateAdd("m", -13, DateSerial(2003, 3, 31))
WScript.Echo DateAdd("yyyy", -1, DateSerial(2004, 2, 29))
WScript.Echo DateAdd("q", 1, DateSerial(2003, 11, 30))
WScript.Echo DateAdd("ww", 2, DateSerial(2003, 1, 2))
WScript.Echo DateAdd("w", 3, DateSerial(2003, 1, 2))
WScript.Echo DateAdd("y", 1, DateSerial(2003, 12, 31))
WScript.Echo DateAdd("h", 10, d)
WScript.Echo DateAdd("n", -65, d)
WScript.Echo DateAdd("s", 55, d)
WScript.Echo DateAdd("m", 1, d)
WScript.Echo TypeName(DateAdd("d", 1, "1/1/2003"))
WScript.Echo "-- DateDiff"
WScript.Echo DateDiff("d", DateSerial(2003, 1, 1), DateSerial(2003, 12, 31))
WScript.Echo DateDiff("d", DateSerial(2003, 1, 10), DateSerial(2003, 1, 1))
WScript.Echo DateDiff("y", DateSerial(2003, 1, 1), DateSerial(2004, 1, 1))
WScript.Echo DateDiff("m", DateSerial(2003, 1, 31), DateSerial(2003, 2, 1))
WScript.Echo DateDiff("m", DateSerial(2003, 5, 1), DateSerial(2002, 12, 31))
WScript.Echo DateDiff("yyyy", DateSerial(2003, 12, 31), DateSerial(2004, 1, 1))
WScript.Echo DateDiff("q", DateSerial(2003, 1, 1), DateSerial(2003, 12, 31))
WScript.Echo DateDiff("d", CDate("1/1/2003 11:00 PM"), CDate("1/2/2003 1:00 AM"))
WScript.Echo DateDiff("h", CDate("1/1/2003 11:59 PM"), CDate("1/2/2003 12:01 AM"))
WScript.Echo DateDiff("n", CDate("1/1/2003 11:59 PM"), CDate("1/2/2003 12:01 AM"))
WScript.Echo DateDiff("s", TimeSerial(1, 0, 0), TimeSerial(2, 0, 0))
WScript.Echo DateDiff("w", DateSerial(2003, 1, 1), DateSerial(2003, 1, 14))
WScript.Echo DateDiff("w", DateSerial(2003, 1, 1), DateSerial(2003, 1, 15))
WScript.Echo DateDiff("ww", DateSerial(2003, 1, 4), DateSerial(2003, 1, 5))
WScript.Echo DateDiff("ww", DateSerial(2003, 1, 5), DateSerial(2003, 1, 11))
WScript.Echo DateDiff("ww", DateSerial(2003, 1, 5), DateSerial(2003, 1, 6))
WScript.Echo DateDiff("ww", DateSerial(2003, 1, 5), DateSerial(2003, 1, 6), vbMonday)
WScript.Echo DateDiff("d", "1/1/2003", "3/1/2003")
WScript.Echo TypeName(DateDiff("d", "1/1/2003", "3/1/2003"))
WScript.Echo IsNull(DateDiff("d", Null, d))
WScript.Echo "-- DatePart"
WScript.Echo DatePart("yyyy", d) & " " & DatePart("m", d) & " " & DatePart("d", d)
WScript.Echo DatePart("h", d) & " " & DatePart("n", d) & " " & DatePart("s", d)
WScript.Echo DatePart("q", DateSerial(2003, 8, 15))
WScript.Echo DatePart("y", DateSerial(2003, 3, 1)) & " " & DatePart("y", DateSerial(2004, 12, 31))
WScript.Echo DatePart("w", d) & " " & DatePart("w", d, vbMonday)
WScript.Echo DatePart("ww", DateSerial(2003, 1, 4)) & " " & DatePart("ww", DateSerial(2003, 1, 5))
WScript.Echo DatePart("ww", DateSerial(2003, 12, 31))
WScript.Echo DatePart("ww", DateSerial(2000, 12, 31))
WScript.Echo DatePart("ww", DateSerial(2005, 1, 1), vbMonday, vbFirstFourDays)
WScript.Echo DatePart("ww", DateSerial(2005, 1, 3), vbMonday, vbFirstFourDays)
WScript.Echo DatePart("ww", DateSerial(2005, 1, 1), vbSunday, vbFirstFullWeek)
WScript.Echo DatePart("ww", DateSerial(2006, 1, 1), vbSunday, vbFirstFullWeek)
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
Dim r
r = DateAdd("x", 1, d) : Report "DateAdd interval x"
r = DateDiff("dd", d, d) : Report "DateDiff interval dd"
r = DatePart("ww", d, 8) : Report "DatePart firstdayofweek 8"
r = MonthName(13) : Report "MonthName(13)"
r = WeekdayName(0) : Report "WeekdayName(0)"
r = Year("not a date") : Report "Year(text)"
r = DateValue("not a date") : Report "DateValue(text)"
