' "_" at a line end joins the next line wherever a blank may stand.
Dim a, _
    b(2), _
    c
Const K1 = 1, _
      K2 = "two"
Sub Show( _
    label, _
    value _
  )
  WScript.Echo label & ": " & value
End Sub
Function Twice(ByVal n, _
               ByRef unused)
  Twice = n * 2
End Function
a = 5
If a = 5 And _
   K1 = 1 _
Then Show "before Then", "joined"
If a = 5 _
  Then
  Show "block If with Then on the next line", "yes"
End If
Show "argument list", Twice( _
  a, _
  b)
Show _
  "statement arguments", _
  K2
Call _
  Show("after Call", "yes")
c = Array( _
  "x", _
  "y" _
)
Show "before )", Join(c, ",")
b(0) = 1 + _
  2 * _
  3
Show "after operators", b(0)
Set c = _
  Nothing
Show "after Set =", TypeName(c)
' Blanks after the "_" are allowed; then a blank line ends the statement.
a = 1 _   

Show "a blank line after _ ends the statement", a
