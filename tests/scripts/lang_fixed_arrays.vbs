' A variable declared with bounds keeps its array: assigning or resizing it
' raises 10 (its elements still change, Erase empties them). A copy of its
' array, however made, is an ordinary array.
Dim a(2)
On Error Resume Next
a = 5 : WScript.Echo "assign " & Err.Number & " " & TypeName(a) : Err.Clear
a = Split("x,y", ",") : WScript.Echo "split " & Err.Number & " " & UBound(a) : Err.Clear
Set a = Nothing : WScript.Echo "set " & Err.Number : Err.Clear
ReDim a(4) : WScript.Echo "redim " & Err.Number & " " & UBound(a) : Err.Clear
For Each a In Array(1) : Next : WScript.Echo "for each " & Err.Number : Err.Clear
a(1) = "one" : Erase a : WScript.Echo "erase " & Err.Number & " " & UBound(a) & " [" & a(1) & "]" : Err.Clear
Sub ByRefSet(ByRef x) : x = 1 : End Sub
ByRefSet a : WScript.Echo "byref " & Err.Number : Err.Clear
Sub ByValSet(ByVal x) : x = 1 : ReDim x(9) : End Sub
ByValSet a : WScript.Echo "byval " & Err.Number : Err.Clear
Class K
  Public f(1)
  Sub Inside : f = 2 : End Sub
End Class
Set k = New K
k.f = 3 : WScript.Echo "field " & Err.Number : Err.Clear
k.Inside : WScript.Echo "inside " & Err.Number : Err.Clear
k.f(1) = 7 : WScript.Echo "element " & Err.Number & " " & k.f(1) : Err.Clear
Sub Local
  Dim q(3) : q = 1
End Sub
Local : WScript.Echo "local " & Err.Number : Err.Clear
On Error GoTo 0

b = a : ReDim b(5) : WScript.Echo "copy " & UBound(b) & " " & UBound(a)
Function MakeFixed : Dim q(1) : q(0) = "q" : MakeFixed = q : End Function
c = MakeFixed() : ReDim Preserve c(3) : WScript.Echo "returned " & UBound(c) & " " & c(0)
d = Array(a) : d(0) = 1 : WScript.Echo "element copy " & d(0)
Dim e() : ReDim e(1) : e = Array(1, 2, 3) : WScript.Echo "dynamic " & UBound(e)
