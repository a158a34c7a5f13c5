' Building strings piece by piece: every form gives the right text, and
' strings keep value semantics when copies share what was built.
Option Explicit
Const N = 3000
Dim s, t, u, i, a(2), b, d, o, expect, parts()

Function Rep(x, n) : Rep = Replace(Space(n), " ", x) : End Function
Sub Check(name, got, want)
  If got = want Then
    WScript.Echo name & ": ok " & Len(got)
  Else
    WScript.Echo name & ": WRONG len " & Len(got) & " want " & Len(want) & " [" & Left(got, 40) & "]"
  End If
End Sub

Class Holder
  Public p
  Private q_
  Public Property Get Q : Q = q_ : End Property
  Public Property Let Q(v) : q_ = v : End Property
End Class

' --- every form, checked against text made another way ---
expect = Rep("abcdefghij", N)
s = "" : For i = 1 To N : s = s & "abcdefghij" : Next : Check "s & x", s, expect
s = "" : For i = 1 To N : s = s & "abcde" & "fghij" : Next : Check "s & x & y", s, expect
s = "" : For i = 1 To N : s = s + "abcdefghij" : Next : Check "s + x", s, expect
s = "" : For i = 1 To N : s = "abcdefghij" & s : Next : Check "x & s", s, expect
a(0) = "" : For i = 1 To N : a(0) = a(0) & "abcdefghij" : Next : Check "a(0) & x", a(0), expect
Set o = New Holder : o.p = ""
For i = 1 To N : o.p = o.p & "abcdefghij" : Next : Check "o.p & x", o.p, expect
o.Q = "" : For i = 1 To N : o.Q = o.Q & "abcde" & "fghij" : Next : Check "o.Q & x (property)", o.Q, expect
Set d = CreateObject("Scripting.Dictionary") : d("k") = ""
For i = 1 To N : d("k") = d("k") & "abcdefghij" : Next : Check "d(k) & x", d("k"), expect

ReDim parts(N - 1)
For i = 1 To N : parts(i - 1) = i : Next
s = "" : For i = 1 To N : s = s & i & "," : Next : Check "s & i & ,", s, Join(parts, ",") & ","
For i = 1 To N : parts(i - 1) = N + 1 - i : Next
s = "" : For i = 1 To N : s = i & "," & s : Next : Check "i & , & s", s, Join(parts, ",") & ","
For i = 1 To N : parts(i - 1) = "mail user" & i & "@host" & i & ".com now; " : Next
s = "" : For i = 1 To N : s = s & "mail user" & i & "@host" & i & ".com now; " & vbCrLf : Next
Check "report", s, Join(parts, vbCrLf) & vbCrLf
' Wrapping grows both ends.
s = "" : For i = 1 To 200 : s = "(" & s & ")" : Next : Check "wrap", s, String(200, "(") & String(200, ")")
' Doubling with itself, and pieces of itself.
s = "ab" : For i = 1 To 10 : s = s & s : Next : Check "s & s", s, Rep("ab", 1024)
s = "xyz" & "" : For i = 1 To 5 : s = s & Mid(s, 2, 2) : Next : WScript.Echo s

' --- copies that share a buffer never see each other's appends ---
s = "ab" & "cd" : s = s & "e"
t = s : s = s & "x" : t = t & "y"
WScript.Echo s & " " & t
t = s : t = t & "1" : s = s & "2" : u = s : s = s & "3" : u = u & "4"
WScript.Echo s & " " & t & " " & u
s = "cd" : s = "b" & s : s = "a" & s
t = s : s = "x" & s : t = "y" & t : u = t : t = "1" & t
WScript.Echo s & " " & t & " " & u
' A join whose result is thrown away leaves the variable as it was.
s = "ab" & "cd" & "ef"
If s & "zz" = "" Then WScript.Echo "never"
WScript.Echo Len(s & "qq") & " " & s
s = s & "g" : WScript.Echo s
u = s & "hh" : s = s & "i" : WScript.Echo s & " " & u
' Assignments to the element, field and item leave the copies alone.
a(1) = "p" & "q" : a(1) = a(1) & "r" : b = a : a(1) = a(1) & "s" : b(1) = b(1) & "t"
WScript.Echo a(1) & " " & b(1)
t = o.p : o.p = o.p & "!" : WScript.Echo Len(t) & " " & Len(o.p) & " " & Right(t, 1) & Right(o.p, 1)
d("j") = "d" & "1" : t = d("j") : d("j") = d("j") & "2" : d("i") = d("j") : d("i") = d("i") & "3"
WScript.Echo t & " " & d("j") & " " & d("i")

' --- ByRef and ByVal parameters ---
Dim g
Sub AppendRef(ByRef x, y) : x = x & y : End Sub
Sub AppendVal(ByVal x, y) : x = x & y : g = x : End Sub
Sub PrependRef(ByRef x, y) : x = y & x : End Sub
s = "m" & "n" : t = s : AppendRef s, "o" : AppendRef s, "p"
WScript.Echo s & " " & t
AppendVal s, "v" : s = s & "w" : WScript.Echo s & " " & g
PrependRef s, "<" : WScript.Echo s & " " & g
For i = 1 To 3 : AppendRef o.p, "?" : Next  ' a property passes a copy
WScript.Echo Right(o.p, 2)

' --- a failing expression leaves the variable's value ---
Function Fail() : Err.Raise 5 : End Function
Dim before
s = "ab" & "cd"
On Error Resume Next
s = s & "x" & Fail()
WScript.Echo Err.Number & " " & s : Err.Clear
s = s & "y" & (1 \ 0)
WScript.Echo Err.Number & " " & s : Err.Clear
s = "<" & s & Fail()
WScript.Echo Err.Number & " " & s : Err.Clear
s = s & "x" & o
WScript.Echo Err.Number & " " & s : Err.Clear
On Error GoTo 0
s = s & "z" : WScript.Echo s

' --- the value read first is the one joined ---
Function Peek() : Peek = "[" & s & "]" : End Function
Function Bump() : s = "zz" : Bump = "!" : End Function
s = "a" & "b" : s = s & "x" & Peek() : WScript.Echo s
s = "a" & "b" : s = s & "x" & Bump() : WScript.Echo s
s = "a" & "b" : s = Peek() & s : WScript.Echo s

' --- Null, Empty and numbers ---
s = "a" & "b" : s = s & Null : s = s & Empty : s = Null & s : WScript.Echo s & " " & VarType(s)
s = Empty : s = s & 1 : s = s & 2.5 : s = s + "x" : WScript.Echo s & " " & VarType(s)
s = 1 : s = s + 2 : WScript.Echo s & " " & VarType(s)
s = "1" : s = s + 2 : WScript.Echo s & " " & VarType(s)
WScript.Echo IsNull(Null & Null) & " " & VarType(Empty & Null)

' --- odd byte counts (ChrB) join byte-wise into a copy, never grown in place ---
s = ChrB(65) : WScript.Echo LenB(s) & " " & Len(s)
s = s & ChrB(66) : WScript.Echo LenB(s) & " " & Len(s)
t = "ab" & "cd" : u = t : t = t & ChrB(67) : WScript.Echo LenB(t) & " " & LenB(u)
t = ChrB(68) & t : WScript.Echo LenB(t) & " " & AscB(t)
u = LeftB("abc", 3) : s = u & "" : WScript.Echo LenB(s) & " " & LenB("" & u) & " " & LenB(u & "x")
s = "" : For i = 1 To 4 : s = s & ChrB(64 + i) : Next : WScript.Echo LenB(s) & " " & Len(s)
