' A builtin function's name used as a variable: once the variable exists it
' shadows the function in its scope (global or local); before that, and in
' other scopes, the name still calls the function. A script procedure of a
' builtin's name replaces it; New RegExp always makes the built-in class.
For year = 2008 To 2009
    WScript.Echo "year " & year
Next
WScript.Echo "after the loop: " & year
month = Month(#2024-03-05#)
WScript.Echo "month = Month(...) assigns: " & month
On Error Resume Next
WScript.Echo Month(#2024-03-05#)
WScript.Echo "calling it now indexes the variable: " & Err.Number
Err.Clear
On Error GoTo 0
Dim len
len = 3
WScript.Echo "Dim len: " & len
On Error Resume Next
x = len("abc")
WScript.Echo "len(""abc"") with a variable len: " & Err.Number
Err.Clear
On Error GoTo 0
Function DayTwice()
    WScript.Echo "  Day before the local exists: " & Day(#2024-03-05#)
    day = Day(#2024-03-07#)
    WScript.Echo "  day local: " & day
    DayTwice = day
End Function
DayTwice : DayTwice
WScript.Echo "outside, Day is the function: " & Day(#2024-03-09#)
Sub LocalLeft()
    Dim left
    left = "a variable"
    WScript.Echo "local left: " & left
End Sub
LocalLeft
WScript.Echo "Left elsewhere: " & Left("abc", 1)
Sub LoopHour()
    For hour = 1 To 2 : WScript.Echo "hour " & hour : Next
End Sub
LoopHour
WScript.Echo "Hour() afterwards: " & Hour(#10:00:00 AM#)
For Each second In Array("s1", "s2") : WScript.Echo "For Each second: " & second : Next
Sub SeesGlobalMonth()
    WScript.Echo "a procedure sees the global month: " & month
End Sub
SeesGlobalMonth
Sub RedimSpace()
    ReDim space(1)
    space(1) = "ReDim space"
    WScript.Echo space(1)
End Sub
RedimSpace
WScript.Echo "Space() elsewhere: [" & Space(2) & "]"
Function UCase(s) : UCase = "mine:" & s : End Function
WScript.Echo UCase("x")
Sub UsesUCase : WScript.Echo "in a procedure: " & UCase("y") : End Sub
UsesUCase
WScript.Echo "Round before a script one exists: " & Round(2.5)
Sub CompiledEarlier() : WScript.Echo "compiled earlier: " & Round(7.4) : End Sub
ExecuteGlobal "Function Round(x) : Round = ""script Round of "" & x : End Function"
WScript.Echo "after ExecuteGlobal defines one: " & Round(2.5)
CompiledEarlier
ExecuteGlobal "Sub Log(m) : WScript.Echo ""script Log: "" & m : End Sub"
Log "a statement call"
ExecuteGlobal "Dim Sgn : Sgn = Array(""a variable Sgn"")"
WScript.Echo Sgn(0)
Class RegExp
    Public Pattern
End Class
WScript.Echo "New RegExp: " & TypeName(New RegExp)
Set re = New RegExp
re.Pattern = "b+"
WScript.Echo "it works as the built-in: " & re.Replace("abbbc", "-")
On Error Resume Next
vbCr = 1
WScript.Echo "a builtin constant stays read-only: " & Err.Number
Err.Clear
Sub Explicit()
    Execute "Option Explicit" & vbLf & "minute = 1"
End Sub
Explicit
WScript.Echo "under Option Explicit the name is undefined: " & Err.Number
Err.Clear
