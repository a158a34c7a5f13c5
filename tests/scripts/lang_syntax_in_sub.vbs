' A syntax error inside a procedure body, after continued lines, is reported
' at its physical line even though the procedure is never called.
Sub Main()
    WScript.Echo "a" & _
        "b"
    y = 2 3
End Sub
WScript.Echo "never printed"
