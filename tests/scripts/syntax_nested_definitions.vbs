' Sub, Function and Class definitions inside blocks of global code are
' global definitions, made whatever the block's condition.
WScript.Echo Early()
If False Then
  Function Early()
    Early = "defined in an If that never runs"
  End Function
  Sub Never : WScript.Echo "never" : End Sub
Else
  Public Sub InElse() : WScript.Echo "defined in the Else part" : End Sub
End If
InElse
For i = 1 To 0
  Class Counter
    Public n
    Private Sub Class_Initialize() : n = 3 : End Sub
  End Class
Next
Dim c : Set c = New Counter
WScript.Echo "class from a loop that never runs: " & c.n
Do While False
  Private Function Hidden() : Hidden = "private in a loop" : End Function
Loop
WScript.Echo Hidden()
Select Case 1
  Case 2
    Function FromCase() : FromCase = "from a Case" : End Function
End Select
WScript.Echo FromCase()
If True Then
  If True Then
    Sub Deep() : WScript.Echo "two Ifs deep" : End Sub
  End If
End If
Deep
With c
  Function InWith() : InWith = "inside With" : End Function
End With
WScript.Echo InWith()
