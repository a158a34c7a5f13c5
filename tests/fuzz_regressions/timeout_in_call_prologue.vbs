' 1,000,000 method calls on a script class.
Class Counter
  Private total
  Private Sub Class_Initialize()
    total = 0
  End Sub
  Public Sub Add(n)
    total = total + n
  End Sub
  Public Property Get Value
    Value = total
  End Property
End Class
Dim c, i
Set c = New Counter
For i = 1 To 1000000
  c.Add i
Next
WScript.Echo c.Value
