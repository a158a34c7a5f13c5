' Date text read by CDate, IsDate, DateValue and TimeValue in the US forms:
' M/D/Y, Y-M-D, month names, times with and without AM/PM, the two-digit
' year window (1930-2029), day and month swapped when the month cannot be.
Sub T(s)
    Dim r
    On Error Resume Next
    r = CDate(s)
    If Err.Number Then
        WScript.Echo "[" & s & "] error " & Err.Number & ", IsDate " & CStr(IsDate(s))
    Else
        WScript.Echo "[" & s & "] " & r & " | " & DateValue(s) & " | " & TimeValue(s) & ", IsDate " & CStr(IsDate(s))
    End If
End Sub
T "2020-03-04"
T "2020-3-4"
T "2020/3/4"
T "3/4/2020"
T "03/04/2020"
T "3-4-2020"
T "March 4, 2020"
T "March 4 2020"
T "Wednesday, March 04, 2020"
T "4 Mar 2020"
T "4-Mar-2020"
T "Mar 2020"
T "Thu, 02 Jan 2003 15:04:05"
T "13/1/2020"
T "31/12/2020"
T "1/13/2020"
T "3/4/29"
T "3/4/30"
T "3/4/99"
T "3/4/00"
T "1/2/3"
T "10:30"
T "10:30 PM"
T "10:30:15 am"
T "10:30pm"
T "10 PM"
T "12:00 AM"
T "12:00 PM"
T "0:00"
T "2020-03-04 10:30"
T "3/4/2020 10:30:15 PM"
T "10:30 PM 3/4/2020"
T " 1/1/99 "
T "December 31, 1899 6:00 PM"
T "12/30/1899"
WScript.Echo "-- not dates"
T ""
T "abc"
T "2/30/2020"
T "2/29/2021"
T "32/1/2020"
T "13/13/2020"
T "1/1/10000"
T "25:00"
T "12:60"
T "10:30:15:10"
T "3/4/2020 25:00"
T "1/2/2003 10:30 AM PM"
T "2020-03-04T10:30:00"
WScript.Echo "-- the current year when none is given"
WScript.Echo CStr(Year(CDate("3/4")) = Year(Date)) & " " & Month(CDate("3/4")) & " " & Day(CDate("3/4"))
WScript.Echo CStr(Year(CDate("Mar 4")) = Year(Date)) & " " & Month(CDate("Mar 4")) & " " & Day(CDate("Mar 4"))
WScript.Echo CStr(Year(CDate("31/12")) = Year(Date)) & " " & Month(CDate("31/12")) & " " & Day(CDate("31/12"))
WScript.Echo "-- numbers and dates"
WScript.Echo CDate(1.5) & " | " & CDate(-1.25) & " | " & TypeName(CDate(1))
WScript.Echo CDbl(#1/1/2000#) & " " & CDbl(#12:00 PM#) & " " & CDbl(#12/29/1899 6:00 AM#) & " " & CDbl(#1/1/1800 6:00 PM#)
WScript.Echo CLng(#1/1/2000 6:00 PM#) & " " & CSng(#1/1/2020 6:00#) & " " & CCur(#1/1/2020 6:00#)
WScript.Echo CDate("1.5") & " | " & CDate(Empty) & " | " & CDate(True)
WScript.Echo CStr(IsDate(#1/1/2000#)) & " " & CStr(IsDate(Null)) & " " & CStr(IsDate("1/1/2000")) & " " & CStr(IsDate("x"))
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
Dim r
r = CDate(Null) : Report "CDate(Null)"
r = CDate(2958466) : Report "CDate(2958466)"
r = CDate(-657435) : Report "CDate(-657435)"
r = DateValue(Null) : Report "DateValue(Null)"
r = TimeValue(Null) : Report "TimeValue(Null)"
r = DateValue("abc") : Report "DateValue(abc)"
r = TimeValue("25:00") : Report "TimeValue(25:00)"
