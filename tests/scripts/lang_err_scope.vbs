' On Error Resume Next inside a procedure ends with that procedure.
Sub Tolerant()
    On Error Resume Next
    Dim z
    z = 1 / 0
    WScript.Echo "tolerant sub trapped " & Err.Number
    Err.Clear
End Sub
Tolerant
WScript.Echo "back at top level"
Dim y
y = CInt("abc")
WScript.Echo "not reached"
