' When Class_Initialize and Class_Terminate run for objects no variable
' keeps: a With subject, an argument, a dropped result, a replaced one;
' a failed New assigns nothing.
Class Tracked
    Public id
    Private Sub Class_Initialize
        WScript.Echo "init"
    End Sub
    Private Sub Class_Terminate
        WScript.Echo "term " & id
    End Sub
End Class
Class Faulty
    Private Sub Class_Initialize
        WScript.Echo "faulty init"
        Err.Raise 5
        WScript.Echo "wrong: init went on"
    End Sub
End Class
Function Make(id)
    Set Make = New Tracked
    Make.id = id
End Function
Sub Take(o)
    WScript.Echo "took " & o.id
End Sub

With Make("with")
    WScript.Echo "inside With"
End With
WScript.Echo "after With"
Take Make("arg")
WScript.Echo "after Take"
Make "dropped"
WScript.Echo "after a dropped result"
Dim keep
Set keep = Make("first")
Set keep = Make("second")
WScript.Echo "replaced"
Dim ring, other
Set ring = Make("ring")
Set other = Make("other")
Set ring.id = other
Set other.id = ring
Set ring = Nothing
Set other = Nothing
WScript.Echo "a cycle stays alive"
On Error Resume Next
Dim f
Set f = New Faulty
WScript.Echo "New failed: " & Err.Number & " " & TypeName(f)
Err.Clear
Set keep = Nothing
WScript.Echo "end"
