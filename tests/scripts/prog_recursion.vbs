' Recursive programs: Towers of Hanoi, Ackermann, permutations and power
' sets built as strings and arrays, an array filled through a ByRef
' parameter, ReDim Preserve through a parameter, functions returning arrays,
' GetRef callbacks, and loops of every form.
Dim arr(5), x, y, i, m(), sb(), fp

Sub Hanoi(n, a, b, c)
  If n = 0 Then Exit Sub
  Hanoi n - 1, a, c, b
  WScript.Echo "Move disk " & n & " from " & a & " to " & c
  Hanoi n - 1, b, a, c
End Sub
Hanoi 3, "A", "B", "C"

Function Ack(m, n)
  If m = 0 Then
    Ack = n + 1
  ElseIf n = 0 Then
    Ack = Ack(m - 1, 1)
  Else
    Ack = Ack(m - 1, Ack(m, n - 1))
  End If
End Function
WScript.Echo "Ack(2,3)=" & Ack(2, 3), "Ack(3,3)=" & Ack(3, 3)

Function Permute(s)
  Dim i, rest, p, res
  If Len(s) <= 1 Then Permute = Array(s) : Exit Function
  For i = 1 To Len(s)
    rest = Left(s, i - 1) & Mid(s, i + 1)
    For Each p In Permute(rest)
      res = res & Mid(s, i, 1) & p & ","
    Next
  Next
  Permute = Split(Left(res, Len(res) - 1), ",")
End Function
WScript.Echo Join(Permute("abc"), " "), UBound(Permute("abcd")) + 1

Function PowerSet(arr)
  Dim n, i, j, s, out
  n = UBound(arr) + 1
  For i = 0 To 2 ^ n - 1
    s = "{"
    For j = 0 To n - 1
      If i And 2 ^ j Then s = s & arr(j) & " "
    Next
    out = out & RTrim(s) & "} "
  Next
  PowerSet = RTrim(out)
End Function
WScript.Echo PowerSet(Array(1, 2, 3))

Function Fact(n)
  If n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)
End Function
WScript.Echo Fact(10), Fact(20), TypeName(Fact(7)), TypeName(Fact(8))
Function Fib(n)
  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)
End Function
x = ""
For i = 0 To 15 : x = x & Fib(i) & " " : Next
WScript.Echo x

Sub Fill(ByRef a, n)
  If n < 0 Then Exit Sub
  a(n) = n * n
  Fill a, n - 1
End Sub
Fill arr, 5
WScript.Echo Join(arr, ",")
Sub Grow(a)
  ReDim Preserve a(UBound(a) + 2)
  a(UBound(a)) = "new"
End Sub
x = Array(1, 2)
Grow x
WScript.Echo UBound(x), x(3), "[" & x(2) & "]"
Sub NoChange(ByVal a) : a(0) = 99 : End Sub
NoChange x
WScript.Echo x(0)
Function MakeArr() : MakeArr = Array("p", "q") : End Function
y = MakeArr() : y(0) = "z"
WScript.Echo Join(MakeArr()), Join(y)
ReDim m(1, 1) : m(1, 1) = "x" : ReDim Preserve m(1, 3)
WScript.Echo m(1, 1), UBound(m, 2), "[" & m(1, 3) & "]"
Erase arr
WScript.Echo UBound(arr), "[" & arr(0) & "]"
ReDim sb(-1)
For i = 1 To 5
  ReDim Preserve sb(UBound(sb) + 1)
  sb(UBound(sb)) = "item" & i
Next
WScript.Echo Join(sb, ";"), UBound(sb)

Function Range(a, b)
  Dim r(), k
  ReDim r(b - a)
  For k = a To b : r(k - a) = k : Next
  Range = r
End Function
Function Map2(arr, fn)
  Dim k, r
  r = arr
  For k = 0 To UBound(r) : r(k) = fn(r(k)) : Next
  Map2 = r
End Function
Function Dbl(x) : Dbl = x * 2 : End Function
Set fp = GetRef("Dbl")
WScript.Echo Join(Map2(Range(3, 7), fp), " "), fp(21)

i = 0
Do
  i = i + 1
Loop While i < 5
WScript.Echo i
Do Until i = 0
  i = i - 2
  If i < 0 Then Exit Do
Loop
WScript.Echo i
While i < 3 : i = i + 1 : Wend
WScript.Echo i
x = ""
For i = 0 To 1 Step 0.25 : x = x & i & " " : Next
WScript.Echo x & "| " & i
x = ""
For i = 10 To 1 Step -3 : x = x & i & " " : Next
WScript.Echo x & "| " & i
For i = 5 To 1 : Next
WScript.Echo i
