' WScript.Quit ends the script past On Error Resume Next, and its objects end
' as at the end of the script: Class_Terminate runs before the runner exits.
Class Tidy
    Public Name
    Private Sub Class_Terminate
        WScript.Echo "terminate " & Name
    End Sub
End Class
Dim keep
Set keep = New Tidy : keep.Name = "global"
Sub Work
    Dim t
    Set t = New Tidy : t.Name = "local"
    On Error Resume Next
    WScript.Quit 5
    WScript.Echo "not reached in Work"
End Sub
On Error Resume Next
Work
WScript.Echo "not reached"
