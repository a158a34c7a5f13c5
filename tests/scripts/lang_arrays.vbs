' Arrays: fixed and dynamic, multi-dimensional, ReDim and ReDim Preserve,
' Erase, copy on assignment, arrays as arguments and results, For Each.
Dim a(3)
WScript.Echo UBound(a)
WScript.Echo LBound(a)
a(0) = "zero"
a(3) = 3
WScript.Echo a(0) & "," & a(3)
WScript.Echo IsEmpty(a(1))
Dim m(2, 3), i, j
WScript.Echo UBound(m)
WScript.Echo UBound(m, 1)
WScript.Echo UBound(m, 2)
WScript.Echo LBound(m, 2)
For i = 0 To 2
    For j = 0 To 3
        m(i, j) = i * 10 + j
    Next
Next
WScript.Echo m(2, 3)
WScript.Echo m(1, 2)
WScript.Echo "-- dynamic arrays"
Dim d()
ReDim d(2)
d(0) = "a" : d(1) = "b" : d(2) = "c"
WScript.Echo UBound(d) & " " & Join(d, ",")
ReDim Preserve d(4)
WScript.Echo UBound(d) & " " & d(2) & " " & IsEmpty(d(4))
ReDim Preserve d(1)
WScript.Echo UBound(d) & " " & Join(d, ",")
ReDim d(3)
WScript.Echo UBound(d) & " [" & d(0) & "]"
ReDim q(1, 2)
q(1, 2) = "x"
ReDim Preserve q(1, 4)
WScript.Echo q(1, 2) & " " & UBound(q, 1) & " " & UBound(q, 2)
Dim n
n = 5
ReDim d(n - 1)
WScript.Echo UBound(d)
WScript.Echo "-- Array()"
Dim v
v = Array(10, 20, 30)
WScript.Echo UBound(v)
WScript.Echo v(1)
v(1) = 25
WScript.Echo Join(v, "+")
WScript.Echo UBound(Array())
WScript.Echo UBound(Split("a b c"))
WScript.Echo UBound(Split(""))
Dim mixed
mixed = Array(1, "two", 3.5, True, Null)
WScript.Echo TypeName(mixed(1)) & " " & TypeName(mixed(2)) & " " & TypeName(mixed(3)) & " " & TypeName(mixed(4))
WScript.Echo "-- copies"
Dim b
b = v
b(0) = 99
WScript.Echo v(0) & " " & b(0)
Dim c
c = m
c(0, 0) = "changed"
WScript.Echo m(0, 0) & " " & c(0, 0)
Dim fa
fa = a
fa(0) = "copy"
WScript.Echo a(0) & " " & fa(0) & " " & UBound(fa)
WScript.Echo "-- arrays as arguments and results"
Sub SetFirst(arr, value)
    arr(0) = value
End Sub
Sub SetFirstByVal(ByVal arr, value)
    arr(0) = value
End Sub
Function Squares(count)
    Dim r(), k
    ReDim r(count - 1)
    For k = 0 To count - 1
        r(k) = k * k
    Next
    Squares = r
End Function
SetFirst v, "byref"
WScript.Echo v(0)
SetFirstByVal v, "byval"
WScript.Echo v(0)
Dim sq
sq = Squares(5)
WScript.Echo Join(sq, " ")
WScript.Echo UBound(Squares(3))
Dim nest
nest = Array(Array(1, 2), Array(3, 4, 5))
WScript.Echo nest(1)(0)
WScript.Echo UBound(nest(1))
WScript.Echo IsArray(nest(0))
WScript.Echo "-- For Each"
Dim s, x
s = 0
For Each x In Array(1, 2, 3, 4)
    s = s + x
Next
WScript.Echo s
For Each x In v
    x = "changed"
Next
WScript.Echo v(1)
s = ""
For Each x In d
    s = s & "[" & x & "]"
Next
WScript.Echo s
s = 0
For Each x In Array()
    s = s + 1
Next
WScript.Echo s
WScript.Echo "-- Erase"
a(0) = "x"
Erase a
WScript.Echo UBound(a) & " " & IsEmpty(a(0))
Erase d
On Error Resume Next
n = UBound(d)
WScript.Echo "UBound after Erase: " & Err.Number & " " & Err.Description
Err.Clear
ReDim d(1)
d(1) = "again"
WScript.Echo UBound(d) & " " & d(1)
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
n = a(4) : Report "a(4)"
a(-1) = 1 : Report "a(-1) ="
n = m(3, 0) : Report "m(3, 0)"
n = m(0) : Report "m(0)"
n = UBound(m, 3) : Report "UBound(m, 3)"
n = UBound(5) : Report "UBound(5)"
Dim fixed(3)
ReDim fixed(5) : Report "ReDim fixed(5)"
ReDim Preserve q(2, 4) : Report "ReDim Preserve q(2, 4)"
Dim undim()
n = UBound(undim) : Report "UBound(undim)"
Dim scalar
scalar = 5
n = scalar(0) : Report "scalar(0)"
WScript.Echo "n is still " & n
