' Arithmetic and comparison with dates: + and - keep the Date type, date -
' date is a Double, other operators work on the serial number; the results
' stay inside the date range; Now, Date, Time and Timer and how they relate.
Sub T(expr)
    Dim r
    On Error Resume Next
    r = Eval(expr)
    If Err.Number Then
        WScript.Echo expr & " -> error " & Err.Number
    ElseIf IsNull(r) Then
        WScript.Echo expr & " -> Null"
    Else
        WScript.Echo expr & " -> " & TypeName(r) & " " & r
    End If
End Sub
T "#1/1/2020# + 1"
T "1 + #1/1/2020#"
T "#1/1/2020# + 1.5"
T "#1/1/2020# - 1"
T "#1/1/2020# - 0.25"
T "#1/1/2020# + #10:00 PM#"
T "#10:00 PM# + #1/1/2020#"
T "#1/1/2020# - #12/25/2019#"
T "#1/1/2020 12:00 PM# - #12/25/2019#"
T "#12/25/2019# - #1/1/2020#"
T "(#10:00 PM# - #9:00 PM#) * 24"
T "#1/1/2020# + ""1"""
T "#1/1/2020# + CCur(1)"
T "#1/1/2020# + True"
T "#1/1/2020# + Empty"
T "#1/1/2020# + Null"
T "#1/1/2020# * 2"
T "#1/1/2020# / 2"
T "#1/1/2020# \ 2"
T "#1/1/2020# Mod 7"
T "-#1/1/2020#"
T "#12/31/9999# + 1"
T "#1/1/100# - 1"
T "#12/31/9999 11:00 PM# + 1 / 24"
WScript.Echo "-- conversions"
T "Int(#1/1/2020 6:00 PM#)"
T "Fix(#1/1/2020 6:00 PM#)"
T "Int(CDate(-1.5))"
T "Fix(CDate(-1.5))"
T "CLng(#1/1/2020 12:00 PM#)"
T "CLng(#1/2/2020 12:00 PM#)"
T "CDbl(#1/1/2020 6:00 PM#)"
T "CInt(#1/1/1900#)"
T "CInt(#1/1/2020#)"
T "CBool(#12/30/1899#)"
T "CBool(#1/1/2020#)"
T "VarType(#1/1/2020#)"
WScript.Echo "-- comparisons"
T "#1/1/2020# < #1/1/2020 12:00:01 AM#"
T "#1/1/2020# = 43831"
T "#1/1/2020 12:00 PM# = 43831.5"
T "#1/1/2020# = CDate(""January 1, 2020"")"
T "#1/1/2020# = ""1/1/2020"""
Dim d, s
d = #1/1/2020#
s = "1/1/2020"
WScript.Echo "variable date = literal text: " & CStr(d = "1/1/2020")
WScript.Echo "variable date < literal text: " & CStr(d < "1/2/2020")
WScript.Echo "variable date = variable text: " & CStr(d = s)
WScript.Echo "variable date < variable text: " & CStr(d < s)
WScript.Echo "date = CDate(text): " & CStr(d = CDate(s))
WScript.Echo "-- a For loop over dates"
For d = #1/30/2020# To #2/1/2020#
    WScript.Echo TypeName(d) & " " & d
Next
For d = #10:00 AM# To #11:00 AM# Step 1 / 48
    WScript.Echo TypeName(d) & " " & d
Next
WScript.Echo "-- the clock"
WScript.Echo TypeName(Now) & " " & TypeName(Date) & " " & TypeName(Time) & " " & TypeName(Timer)
Dim n, secs
n = Now
WScript.Echo "Date has no time: " & CStr(Date = Int(Date))
WScript.Echo "Time has no date: " & CStr(Time < 1 And Time >= 0)
WScript.Echo "Now has no fraction of a second: " & CStr(Abs((n - Int(n)) * 86400 - Round((n - Int(n)) * 86400)) < 0.001)
secs = Timer
WScript.Echo "Timer is seconds since midnight: " & CStr(secs >= 0 And secs < 86400)
WScript.Echo "Now is today: " & CStr(Int(n) = CDbl(Date) Or Int(n) = CDbl(Date) - 1)
