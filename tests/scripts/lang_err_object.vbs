' The Err object: initial state, Raise with standard and custom numbers,
' source and description, vbObjectError, Clear, Number as default property,
' errors raised in functions reaching the caller.
On Error Resume Next
WScript.Echo "initial: " & Err.Number & " [" & Err.Description & "]"
Err.Raise 13
WScript.Echo Err.Number & "|" & Err.Description
Err.Clear
Err.Raise 9
WScript.Echo Err.Number & "|" & Err.Description
Err.Clear
Err.Raise 11
WScript.Echo Err.Number & "|" & Err.Description
Err.Clear
Err.Raise vbObjectError + 1, "MyApp", "Custom message"
WScript.Echo Err.Number
WScript.Echo Err.Number - vbObjectError
WScript.Echo Err.Source
WScript.Echo Err.Description
Err.Clear
WScript.Echo "after clear: " & Err.Number & " [" & Err.Source & "] [" & Err.Description & "]"
Err.Raise 5, "Src5", "Different text"
WScript.Echo Err.Number & "|" & Err.Description & "|" & Err.Source
Err.Clear
Err.Raise 1234, "S", "D"
WScript.Echo Err.Number & "|" & Err.Description & "|" & Err.Source
Err.Clear
WScript.Echo vbObjectError
WScript.Echo Hex(vbObjectError)
Err.Raise 91
WScript.Echo "default property: " & Err
Dim code
code = Err
WScript.Echo TypeName(code) & " " & code
Err.Clear

WScript.Echo "-- raised in a function"
Function Validate(v)
    If v < 0 Then
        Err.Raise vbObjectError + 100, "Validate", "Negative: " & v
    End If
    Validate = v * 2
End Function
Dim r
r = Validate(5)
WScript.Echo r & " " & Err.Number
r = Validate(-1)
WScript.Echo "r = " & r
WScript.Echo Err.Number - vbObjectError
WScript.Echo Err.Description
WScript.Echo Err.Source
Err.Clear
Sub Layer2()
    Err.Raise 1001, "Layer2", "deep failure"
    WScript.Echo "wrong: Layer2 went on"
End Sub
Sub Layer1()
    Layer2
    WScript.Echo "wrong: Layer1 went on"
End Sub
Layer1
WScript.Echo Err.Number & " " & Err.Source & " " & Err.Description
Err.Clear
If Err.Number = 0 Then WScript.Echo "no error pending"
Err.Raise vbObjectError + 513, "Check", "value out of range"
If Err.Number <> 0 Then
    WScript.Echo "handled: " & Err.Description & " (" & (Err.Number - vbObjectError) & ")"
    Err.Clear
End If
WScript.Echo Err.Number
