' Single-line If: colons, empty parts, ": Else" and a closing End If on the same line.
Sub Show(label, v) : WScript.Echo label & ": " & v : End Sub
Sub NextLUT : n = n + 1 : End Sub
Dim n, x, y, a, b, c
n = 0
x = 2 : y = 0
If x > 1 Then y = 1 : End If
Show "closed by End If", y
y = 0 : If x > 5 Then y = 1 : End If
Show "false, closed", y
If x > 1 Then a = 1: b = 2: End If
Show "two statements, closed", a & b
If x > 5 Then a = 3 Else a = 4: End If
Show "else part, closed", a
If True Then NextLUT:End If
Show "call then End If", n
If x = 2 Then: a = "t1": b = "t2": Else: a = "e1": b = "e2"
Show "colon after Then and Else", a & b
If x = 3 Then: a = "t1": b = "t2": Else: a = "e1": b = "e2"
Show "colon after Then and Else, false", a & b
If False Then :
Show "empty single-line If", "ok"
If True Then : : End If
Show "only colons, closed", "ok"
If x < 1 Then y = 1: Else y = 2
Show ": Else", y
If x > 1 Then y = 3: Else y = 4
Show ": Else, true", y
If x > 1 Then y = 5 : Else : y = 6 : End If : Show "after End If on the same line", y
' The inner If takes the End If; the outer Else part ends with the line.
If x = 9 Then y = 1 Else y = 0: If x = 2 Then y = y + 10: End If
Show "nested, inner closed", y
If x = 2 Then If y = 10 Then y = 11 Else y = 12
Show "Else belongs to the inner If", y
For Each c In Array(1, 2, 3)
  If c = 2 Then y = c : Exit For : End If
Next
Show "Exit For inside, closed", y
Function F(v) : If v Then F = "yes" Else F = "no" : End If : End Function
Show "inside a one-line Function", F(True) & F(False)
' A block If still needs its End If on a line of its own (or after a colon).
If x = 2 Then
  y = "block"
End If
Show "block form", y
If x = 2 Then
  y = "block2" : End If
Show "block closed after a colon", y
' End If needs no colon before it, and closes the innermost open If.
y = 0
If x = 2 Then y = 7 End If
Show "End If without a colon", y
If x = 2 Then If y = 7 Then y = 8 End If End If
Show "two End Ifs on one line", y
If x = 2 Then y = 1 Else y = 2 End If : Show "else part closed without a colon", y
