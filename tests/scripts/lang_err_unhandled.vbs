' An unhandled run-time error ends the script with one report on stderr.
Dim total, i
total = 0
For i = 1 To 3
    total = total + i
Next
WScript.Echo "total " & total
WScript.Echo "next comes a type mismatch"
total = total + "six"
WScript.Echo "not reached"
