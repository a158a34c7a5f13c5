Option Explicit
' Option Explicit: declared names work; using an undeclared variable stops
' the script with error 500 at the line of use.
Dim a, b, arr()
a = 1
b = a + 1
WScript.Echo "b = " & b
ReDim arr(2)
arr(0) = "redim ok"
WScript.Echo arr(0)
Const K = 3
WScript.Echo "K = " & K
undeclared = 5
WScript.Echo "not reached"
