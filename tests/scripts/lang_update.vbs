' Updating a variable from itself: appends and sums keep VBScript's results
' whatever the right-hand side does.
Dim s, t, n, a(2)
s = "ab"
s = s & s
WScript.Echo s
t = s
s = s & "!"
WScript.Echo t & " " & s
s = Empty
s = s & "x"
WScript.Echo TypeName(s) & " " & s
s = Null
s = s & Null
WScript.Echo IsNull(s)
n = 32767
n = n + 1
WScript.Echo TypeName(n) & " " & n
n = "5"
n = n + 1
WScript.Echo TypeName(n) & " " & n
Function Bump()
  n = 100
  Bump = 1
End Function
n = 1
n = n + Bump()
WScript.Echo n
s = "q"
Function Grow()
  s = "zzz"
  Grow = "!"
End Function
s = s & Grow()
WScript.Echo s
a(1) = "k"
a(1) = a(1) & "m"
WScript.Echo a(1)
For n = 1 To 3
  s = s & Chr(64 + n)
Next
WScript.Echo s
