' How a date shows as text: the date alone at midnight, the time alone on
' 12/30/1899, both otherwise; times before 1899 count forward from midnight;
' seconds are rounded; FormatDateTime's five named formats for each case.
Sub Show(label, v)
    Dim s, f
    s = label & ": " & CStr(v)
    For f = 0 To 4
        s = s & " | " & FormatDateTime(v, f)
    Next
    WScript.Echo s
End Sub
Show "date only", #1/2/2003#
Show "time only", #3:04:05 PM#
Show "both", #1/2/2003 3:04:05 PM#
Show "midnight", #1/2/2003 12:00:00 AM#
Show "zero", CDate(0)
Show "noon on day 0", CDate(0.5)
Show "day 1 noon", CDate(1.5)
Show "day -1", CDate(-1)
Show "day -1 6 AM", CDate(-1.25)
Show "-0.25", CDate(-0.25)
Show "1800", #1/1/1800 6:00 PM#
Show "year 100", #1/1/100#
Show "year 9999", #12/31/9999 11:59:59 PM#
Show "0.4 s rounds down", CDate(36526 + 0.4 / 86400)
Show "1.6 s rounds up", CDate(36526 + 1.6 / 86400)
Show "rounds to next day", CDate(36526 + 86399.6 / 86400)
Show "two-digit year", DateSerial(1, 2, 3)
Show "from text", "1/2/2003 15:04"
Show "Empty", Empty
WScript.Echo "-- Echo and concatenation"
WScript.Echo #1/2/2003# & "|" & #3:04:05 PM# & "|" & #1/2/2003 3:04:05 PM#
WScript.Echo "at " & #12/25/2003 11:00 PM#
WScript.Echo Join(Array(#1/1/2020#, #10:00#, #1/1/2020 10:00#), ";")
WScript.Echo TypeName(CStr(#1/1/2020#)) & " " & Len(CStr(#1/1/2020#))
WScript.Echo "-- literals"
WScript.Echo #2020-03-04#, #3/4/2020 10:00#, #10:00 PM#, #March 4, 2020#
WScript.Echo # 1/1/2000 #, #1-Jan-2000#, #2000-01-01 22:00:00#, #12/30/1899 10:00#
WScript.Echo #13/1/2000#, #1/2/03#, #1/2/99#
WScript.Echo "-- FormatDateTime errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
Dim r
r = FormatDateTime(#1/1/2000#, 5) : Report "format 5"
r = FormatDateTime(#1/1/2000#, -1) : Report "format -1"
r = FormatDateTime(#1/1/2000#, Null) : Report "Null format"
r = FormatDateTime(Null) : Report "Null date"
r = FormatDateTime("2/30/2020") : Report "bad text"
