' "End Sub", "End Function", "End Property" and "End Class" end the statement
' before them: no colon is needed.
Dim n
Sub s() n = n + 1 End Sub
Sub t(a) : n = n + a End Sub
Function f() f = 10 End Function
Function g(x)
  g = x * 2 End Function
Class C
  Public x End Class
Class D
  Dim y End Class
Class E
  Private v
  Public Property Get P() P = v End Property
  Public Property Let P(a) : If IsObject(a) Then v = "obj" Else v = a : End If : End Property
  Function Twice() Twice = v & v End Function End Class
Class F : Public z : Public Function Get1() Get1 = 1 End Function End Class
n = 0
s
t 5
WScript.Echo n
WScript.Echo f() + g(3)
Dim o : Set o = New C : o.x = "field" : WScript.Echo o.x
Set o = New D : WScript.Echo TypeName(o)
Set o = New E : o.P = "ab" : WScript.Echo o.P & " " & o.Twice()
Set o = New F : WScript.Echo o.Get1()
Sub u : WScript.Echo "no parameter list, colon" End Sub
u
