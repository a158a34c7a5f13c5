' Calendar printing and date arithmetic as in scheduling scripts: month
' grids from DateSerial/Weekday/MonthName, days in a month through day 0,
' day-of-week, age and differences with DateDiff, DateAdd at month ends,
' and the U.S. short forms dates and times print in.
Option Explicit
Dim d, line, i, y, m, birth, today, age, dd

Sub PrintMonth(y, m)
  Dim first, days, line, i
  first = DateSerial(y, m, 1)
  days = Day(DateSerial(y, m + 1, 0))
  WScript.Echo Space((20 - Len(MonthName(m) & " " & y)) \ 2) & MonthName(m) & " " & y
  WScript.Echo "Su Mo Tu We Th Fr Sa"
  line = String((Weekday(first) - 1) * 3, " ")
  For i = 1 To days
    line = line & Right(" " & i, 2)
    If Weekday(DateSerial(y, m, i)) = vbSaturday Then
      WScript.Echo line
      line = ""
    Else
      line = line & " "
    End If
  Next
  If line <> "" Then WScript.Echo RTrim(line)
End Sub
PrintMonth 2024, 2
PrintMonth 2023, 12

d = DateSerial(2024, 2, 1)
WScript.Echo d, MonthName(Month(d)), MonthName(2, True), WeekdayName(Weekday(d)), WeekdayName(1, True), Weekday(d), Weekday(d, vbMonday)
For Each y In Array(2023, 2024)
  line = y & ":"
  For m = 1 To 12
    line = line & " " & Day(DateSerial(y, m + 1, 0))
  Next
  WScript.Echo line
Next
' Friday the 13ths in 2026
line = ""
For m = 1 To 12
  If Weekday(DateSerial(2026, m, 13)) = vbFriday Then line = line & MonthName(m, True) & " "
Next
WScript.Echo "Friday 13th in 2026: " & RTrim(line)

WScript.Echo DateSerial(2024, 13, 1), DateSerial(2024, 1, 0), DateSerial(2024, -1, 31), DateSerial(99, 1, 1), DateSerial(30, 6, 15), DateSerial(29, 6, 15)
WScript.Echo DateAdd("m", 1, #1/31/2024#), DateAdd("m", 1, #1/31/2023#), DateAdd("yyyy", 1, #2/29/2024#), DateAdd("d", -1, #3/1/2024#), DateAdd("ww", 2, #12/25/2023#), DateAdd("q", 1, #11/30/2024#)
WScript.Echo DateAdd("h", 30, #3/5/2024#), DateAdd("n", 90, #1/1/2024#), DateAdd("s", -1, #1/1/2024#)
WScript.Echo DateDiff("d", #1/1/2024#, #12/25/2024#), DateDiff("d", #12/25/2024#, #1/1/2024#), DateDiff("yyyy", #12/31/2023#, #1/1/2024#), DateDiff("m", #1/31/2024#, #2/1/2024#), DateDiff("ww", #1/1/2024#, #1/31/2024#), DateDiff("w", #1/1/2024#, #1/31/2024#), DateDiff("h", #1/1/2024 10:30#, #1/1/2024 12:15#), DateDiff("n", #10:00#, #10:59:59#), DateDiff("s", #0:00#, #1:00#)

birth = #6/15/1990# : today = #3/1/2024#
age = DateDiff("yyyy", birth, today)
If DateSerial(Year(today), Month(birth), Day(birth)) > today Then age = age - 1
WScript.Echo "Age: " & age & ", days lived: " & (today - birth) & ", weeks: " & DateDiff("ww", birth, today)

dd = #1/1/2024 1:45:30 PM#
WScript.Echo dd, Year(dd), Month(dd), Day(dd), Hour(dd), Minute(dd), Second(dd), DatePart("y", dd), DatePart("q", dd), DatePart("ww", #12/31/2024#)
WScript.Echo TimeSerial(13, 5, 0), TimeSerial(25, 0, 0), TimeSerial(12, -15, 0), #12:00:00 AM#, #12:00:00 PM#, CDate(0), CDate(45356.75), CDbl(#3/5/2024#), CLng(#1/1/2024#)
WScript.Echo #1/1/2024# + 1, #1/1/2024# - #12/25/2023#, TypeName(#1/1/2024# - #12/25/2023#), TypeName(#1/1/2024# + 1), #1/1/2024# + 0.5, CDate(-1.25)
WScript.Echo FormatDateTime(#3/5/2024 14:07:09#, vbLongDate), FormatDateTime(#3/5/2024 14:07:09#, vbShortDate), FormatDateTime(#3/5/2024 14:07:09#, vbShortTime), FormatDateTime(#3/5/2024 14:07:09#, vbLongTime), FormatDateTime(#3/5/2024 14:07:09#)
WScript.Echo CDate("2024-03-05"), DateValue("March 5, 2024"), CDate("5 Mar 2024 6:30 PM"), TimeValue("15:45"), IsDate("31/12/2024"), IsDate("2/30/2024"), IsDate("noon")
