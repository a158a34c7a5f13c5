On Error Resume Next
Dim a(1)
a(5) = 1
WScript.Echo "trapped " & Err.Number
On Error GoTo 0
WScript.Echo "handler off"
a(5) = 2
WScript.Echo "not reached"
