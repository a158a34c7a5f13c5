' On Error Resume Next: execution goes on with the next statement, the failed
' assignment does not happen, Err keeps the last error; errors in called
' procedures without a handler end that procedure and reach the caller's
' handler; procedures with their own handler; an error in an If condition
' continues into the Then branch; On Error GoTo 0 and re-enabling.
On Error Resume Next
Dim x
x = 1
x = 1 / 0
WScript.Echo "x still " & x
WScript.Echo Err.Number
WScript.Echo Err.Description
WScript.Echo Err.Source
x = 2
WScript.Echo "a later good statement keeps Err: " & Err.Number
Err.Clear
WScript.Echo "cleared: " & Err.Number & " [" & Err.Description & "] [" & Err.Source & "]"
x = 1 / 0 : WScript.Echo "same line goes on: " & Err.Number
Err.Clear
x = 1 / 0
x = CInt("abc")
WScript.Echo "last error wins: " & Err.Number
Err.Clear
WScript.Echo 1 / 0
WScript.Echo "the failing Echo printed nothing: " & Err.Number
Err.Clear

WScript.Echo "-- propagation"
Sub Inner()
    WScript.Echo "inner start"
    Dim y
    y = 1 / 0
    WScript.Echo "wrong: inner went on"
End Sub
Sub Outer()
    WScript.Echo "outer start"
    Inner
    WScript.Echo "wrong: outer went on"
End Sub
Inner
WScript.Echo "after Inner: " & Err.Number
Err.Clear
Outer
WScript.Echo "after Outer: " & Err.Number
Err.Clear
Function Failing()
    Failing = "partial"
    Failing = 1 / 0
End Function
Dim r
r = "old"
r = Failing()
WScript.Echo "r = " & r & ", error " & Err.Number
Err.Clear
Class Thrower
    Public Sub Boom()
        Dim z
        z = CLng("not a number")
        WScript.Echo "wrong: method went on"
    End Sub
End Class
Dim th
Set th = New Thrower
th.Boom
WScript.Echo "after method: " & Err.Number
Err.Clear

WScript.Echo "-- own handler"
Sub SelfHandled()
    On Error Resume Next
    Dim z
    z = 1 / 0
    WScript.Echo "self handled: " & Err.Number
    z = "goes on"
    WScript.Echo z
    Err.Clear
End Sub
SelfHandled
WScript.Echo "after SelfHandled: " & Err.Number
Sub HandlerOff()
    On Error Resume Next
    Dim z
    z = 1 / 0
    WScript.Echo "first error trapped: " & Err.Number
    Err.Clear
    On Error GoTo 0
    z = CInt("abc")
    WScript.Echo "wrong: not trapped in HandlerOff"
End Sub
HandlerOff
WScript.Echo "caller traps the second: " & Err.Number
Err.Clear

WScript.Echo "-- If condition"
If 1 / 0 > 0 Then
    WScript.Echo "then branch after error"
Else
    WScript.Echo "wrong: else branch"
End If
WScript.Echo "error " & Err.Number
Err.Clear

WScript.Echo "-- On Error GoTo 0 then Resume Next again"
On Error GoTo 0
x = 10
On Error Resume Next
x = 1 / 0
WScript.Echo "trapped again: " & Err.Number & ", x " & x
Err.Raise 6
On Error Resume Next
WScript.Echo "On Error Resume Next clears Err: " & Err.Number
