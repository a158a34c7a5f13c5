' A name is declared once per scope; other scopes, later Execute code and
' procedures defined twice are not redeclarations.
Dim f : f = "global"
Sub Shadow
  Dim f : f = "local"
  WScript.Echo "in sub: " & f
End Sub
Shadow
WScript.Echo "after: " & f
Class Holder
  Dim f
  Sub Store(v) : Dim f : f = v : Me.f = v & "!" : End Sub
  Function Peek : Peek = f : End Function
End Class
Dim h : Set h = New Holder
h.Store "x"
WScript.Echo "field: " & h.Peek
Dim z : z = 1
ExecuteGlobal "Dim z : z = 2"
WScript.Echo "execute global: " & z
Sub Twice : WScript.Echo "first" : End Sub
Sub Twice : WScript.Echo "second" : End Sub
Twice
Dim r() : ReDim r(2) : ReDim Preserve r(3)
WScript.Echo "redim: " & UBound(r)
Sub Inner
  Dim q : q = 1
  Execute "Dim q : q = 5"
  WScript.Echo "execute: " & q
End Sub
Inner
