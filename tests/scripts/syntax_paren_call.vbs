' A call on a parenthesised expression.
Class DropTarget
  Public a, b, c
  Public Default Function Init(x, y, z)
    a = x : b = y : c = z
    Set Init = Me
  End Function
End Class
Class Greeter
  Public Default Sub Hello(who) : WScript.Echo "hello " & who : End Sub
End Class
Function Twice(v) : Twice = v * 2 : End Function
Dim t, y, arr, d
Set t = (New DropTarget)(1, "two", 3)
WScript.Echo TypeName(t) & " " & t.a & " " & t.b & " " & t.c
y = (Twice)(21)
WScript.Echo "(f)(x): " & y
y = ((Twice))(4)
WScript.Echo "((f))(x): " & y
Call (((Twice))) ((5))
Call (((New Greeter))) ("call")
arr = Array(10, 20, 30)
WScript.Echo "(array)(i): " & (arr)(1)
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", "v"
WScript.Echo "(object.member)(key): " & (d.Item)("k") & " " & (d)("k")
WScript.Echo "as an argument: " & Join(Array((New DropTarget)(7, 8, 9).b, "x"), ",")
WScript.Echo "(f(x)) + 1: " & (Twice(2)) + 1
