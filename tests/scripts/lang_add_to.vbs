' x = x + expr updates x where it lives (global, local, ByRef, field): the
' result keeps the subtype rules of +, overflow and all.
Class Box
  Public n
  Public Default Property Get V : V = 41 : End Property
  Sub Add(x) : n = n + x : End Sub
End Class

Dim g, k, b
g = 32767 : g = g + 1
WScript.Echo TypeName(g), g
g = 2147483647 : g = g + 1
WScript.Echo TypeName(g), g
g = -32768 : g = g + -1
WScript.Echo TypeName(g), g
k = 2 : g = 1.5 : g = g + k * 3
WScript.Echo TypeName(g), g
g = 0.5 : g = g + 2147483647
WScript.Echo TypeName(g), g
g = 0.25 : g = g + 0.5
WScript.Echo TypeName(g), g
g = "12" : g = g + 1
WScript.Echo TypeName(g), g
g = Empty : g = g + 5
WScript.Echo TypeName(g), g
g = Null : g = g + 5
WScript.Echo TypeName(g)
g = True : g = g + 1
WScript.Echo TypeName(g), g
g = "a" : g = g + "b"
WScript.Echo TypeName(g), g
Set g = New Box : g = g + 1
WScript.Echo TypeName(g), g

' The sum of a long loop turns Double once it leaves the Long range.
g = 0
For k = 1 To 100000 : g = g + k * 30000 : Next
WScript.Echo TypeName(g), g, TypeName(k), k

On Error Resume Next
g = 1.7E308 : g = g + 1.7E308
WScript.Echo Err.Number, g
Err.Clear
g = "x" : g = g + 1
WScript.Echo Err.Number, g
Err.Clear
On Error GoTo 0

Sub Bump(ByRef v, n) : v = v + n : End Sub
k = 32767 : Bump k, 1
WScript.Echo TypeName(k), k

Function Halves()
  Dim t, i
  t = 0
  For i = 1 To 5 : t = t + i / 2 : Next
  Halves = TypeName(t) & " " & t
End Function
WScript.Echo Halves()

Set b = New Box : b.n = 32767 : b.Add 1
WScript.Echo TypeName(b.n), b.n

' The counter itself: Integer while it fits, then Long.
For k = 32760 To 32770 Step 5 : Next
WScript.Echo TypeName(k), k
For k = 10 To 1 Step -4 : Next
WScript.Echo TypeName(k), k
g = 1 : g = g + g
WScript.Echo g
g = 0.5 : g = g + #1/1/2000#
WScript.Echo TypeName(g)

' A number written after + - * is read in place; the rules are those of +.
Dim v
v = 32767 : WScript.Echo TypeName(v + 1), v + 1, TypeName(v - 1), TypeName(v * 2), v * 2
v = 2147483647 : WScript.Echo TypeName(v + 1), v + 1, TypeName(v * 2)
v = -2147483647 : WScript.Echo TypeName(v - 2), v - 2
v = 3 : WScript.Echo TypeName(v * 2.5), v * 2.5, TypeName(v + 2147483647), v - 0.5
v = "7" : WScript.Echo TypeName(v - 1), v - 1, v * 3
v = Empty : WScript.Echo TypeName(v + 1.5), v + 1.5, TypeName(v * 2)
v = Null : WScript.Echo TypeName(v * 2)
v = True : WScript.Echo TypeName(v - 1), v - 1
v = #1/2/2000# : WScript.Echo TypeName(v - 1), Day(v - 1)
WScript.Echo 2 * 3 - 1 + 10 * 2 - 0.5
On Error Resume Next
v = 1E308 : v = v * 10
WScript.Echo Err.Number
Err.Clear
v = "a" : v = v * 2
WScript.Echo Err.Number
