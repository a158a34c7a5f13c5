' The report names the line of the failing statement inside the procedure;
' continued lines count as physical lines.
Function Divide(a, b)
    Divide = a / b
End Function
Sub Report(v)
    WScript.Echo "result " & _
        Divide(v, _
               2)
    WScript.Echo "ratio " & Divide(v, 0)
End Sub
Report 10
WScript.Echo "not reached"
