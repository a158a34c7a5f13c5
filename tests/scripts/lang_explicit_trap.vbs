Option Explicit
' Option Explicit errors are run-time errors (500) that On Error can trap,
' for reads and writes, at script level, in procedures and in For loops.
Dim declared
On Error Resume Next
notDeclared = 1
WScript.Echo "write: " & Err.Number
Err.Clear
declared = alsoNotDeclared + 1
WScript.Echo "read: " & Err.Number & ", declared empty: " & IsEmpty(declared)
Err.Clear
Sub UsesUndeclared()
    Dim okLocal
    okLocal = 1
    WScript.Echo "in sub before"
    missingLocal = okLocal
    WScript.Echo "in sub after"
End Sub
UsesUndeclared
WScript.Echo "sub: " & Err.Number
Err.Clear
Sub LoopWithUndeclared()
    For loopVar = 1 To 2
        WScript.Echo "loop body"
    Next
End Sub
LoopWithUndeclared
WScript.Echo "for: " & Err.Number
Err.Clear
Function Declares()
    Dim inner
    inner = "fine"
    Declares = inner
End Function
WScript.Echo Declares() & " " & Err.Number
