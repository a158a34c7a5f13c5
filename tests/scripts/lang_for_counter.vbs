' The For counter is updated where it lives: a global, a local, a ByRef
' argument (the caller's variable or array element), a field, or a name made
' at run time; the body may change it, and loops nest and restart.
Class Walker
  Public pos
  Function Run(n)
    Dim s
    For pos = 1 To n : s = s & pos : Next
    Run = s & "/" & pos
  End Function
End Class

Dim g, s, arr(2), w, outer, tries
s = ""
For g = 1 To 3 : s = s & g : Next
WScript.Echo s, g

Sub Count(ByRef c, n)
  For c = n To 1 Step -1 : Next
End Sub
Count g, 4
WScript.Echo "byref", g
Count arr(1), 2
WScript.Echo "element", arr(1), TypeName(arr(1))

Function Local3()
  Dim i, t
  For i = 0 To 6 Step 3 : t = t & i : Next
  Local3 = t & "/" & i
End Function
WScript.Echo Local3()

Set w = New Walker
WScript.Echo w.Run(4), w.pos

' The body moves the counter; a string counter is added to as a number.
s = ""
For g = 1 To 10
  s = s & g & " "
  g = g + 2
Next
WScript.Echo s, g
s = ""
For g = 1 To 3
  If g = 1 Then g = "2"
  s = s & TypeName(g) & " "
Next
WScript.Echo s, g, TypeName(g)

' Nested loops, and a loop entered again after Exit For.
s = ""
For outer = 1 To 3
  For g = outer To 3
    If g = 3 And outer = 2 Then Exit For
    s = s & outer & g & " "
  Next
Next
WScript.Echo s
For tries = 1 To 2
  For g = 1 To 100
    If g = 5 Then Exit For
  Next
  WScript.Echo "exit at", g
Next

' A name made at run time by Execute is looked up, not kept.
Sub Dyn()
  Execute "Dim d"
  Execute "For d = 1 To 3 : x = x & d : Next : WScript.Echo x, d"
End Sub
Dyn

' A Long counter that would pass 2147483647 overflows.
On Error Resume Next
s = 0
For g = 2147483646 To 2147483647 : s = s + 1 : Next
WScript.Echo Err.Number, s, g
