' An array element passed to a ByRef parameter is passed by reference, and
' its array is locked (ReDim and Erase raise 10) until the call returns.
' Parentheses, ByVal, members, default members and function results pass values.
Sub Inc(ByRef n) : n = n + 1 : End Sub
Sub IncVal(ByVal n) : n = n + 1 : End Sub
Sub Swap(a, b) : Dim t : t = a : a = b : b = t : End Sub
Function IncF(n) : n = n + 1 : IncF = n : End Function
Dim a : a = Array(1, 2, 30)
Inc a(0) : WScript.Echo "Inc a(0): " & a(0)
Inc (a(0)) : WScript.Echo "Inc (a(0)): " & a(0)
Call Inc(a(0)) : WScript.Echo "Call Inc(a(0)): " & a(0)
Call Inc((a(0))) : WScript.Echo "Call Inc((a(0))): " & a(0)
IncVal a(0) : WScript.Echo "IncVal a(0): " & a(0)
Inc a(0) + 0 : WScript.Echo "Inc a(0) + 0: " & a(0)
r = IncF(a(1)) : WScript.Echo "IncF(a(1)) in an expression: " & r & " " & a(1)
Swap a(1), a(2) : WScript.Echo "Swap a(1), a(2): " & Join(a, ",")
Dim i : i = 2
Inc a(i - 2) : WScript.Echo "computed subscript: " & a(0)
Dim b : b = a
Inc b(0) : WScript.Echo "a copy is separate: b(0)=" & b(0) & " a(0)=" & a(0)
Dim m(1, 1) : m(1, 0) = 10
Inc m(1, 0) : WScript.Echo "2-D m(1, 0): " & m(1, 0)
Dim nest : nest = Array(Array(1, 2), 3)
Inc nest(0)(1) : WScript.Echo "nested nest(0)(1): " & nest(0)(1)
Function Arr() : Arr = Array(5) : End Function
Inc Arr()(0) : WScript.Echo "a function result is a value"
Set d = CreateObject("Scripting.Dictionary") : d("k") = 1
Inc d("k") : WScript.Echo "default member d(""k""): " & d("k")
Class Box
    Public v, items
    Sub Class_Initialize : v = 1 : items = Array(1, 2) : End Sub
    Sub Bump : Inc v : Inc items(1) : End Sub
    Sub Swap2(x, y) : Dim t : t = x : x = y : y = t : End Sub
End Class
Set bx = New Box
Inc bx.v : WScript.Echo "member bx.v: " & bx.v
Inc bx.items(0) : WScript.Echo "member bx.items(0): " & bx.items(0)
bx.Bump : WScript.Echo "fields inside the class: " & bx.v & " " & bx.items(1)
Dim s2 : s2 = Array("a", "b")
bx.Swap2 s2(0), s2(1) : WScript.Echo "method call: " & Join(s2, ",")
With bx
    .Swap2 s2(0), s2(1)
End With
WScript.Echo "With method call: " & Join(s2, ",")
Sub UseImplicit()
    z = Array(1, 2)
    Inc z(1)
    WScript.Echo "implicit local z(1): " & z(1)
End Sub
UseImplicit

WScript.Echo "-- locking"
Sub TryResize(ByRef x)
    On Error Resume Next
    ReDim a(5)
    WScript.Echo "ReDim: " & Err.Number & " " & Err.Description
    Err.Clear
    ReDim Preserve a(5)
    WScript.Echo "ReDim Preserve: " & Err.Number
    Err.Clear
    Erase a
    WScript.Echo "Erase: " & Err.Number
    Err.Clear
    a(1) = "element write"
    x = "through x"
    WScript.Echo "writing elements: " & Err.Number
End Sub
TryResize a(0)
WScript.Echo Join(a, ",")
ReDim a(1) : WScript.Echo "free after the call: " & UBound(a)
Sub Fails(x) : Err.Raise 5 : End Sub
On Error Resume Next
Fails a(0)
WScript.Echo "callee failed: " & Err.Number
On Error GoTo 0
ReDim a(2) : WScript.Echo "free after an error: " & UBound(a)
Sub DropsIt(x)
    a = Empty
    x = "still safe"
End Sub
DropsIt a(0)
WScript.Echo "variable reassigned while bound: " & IsEmpty(a)
Dim outer : outer = Array(Array(1, 2))
Sub ResizeInner(x)
    On Error Resume Next
    ReDim outer(3)
    WScript.Echo "outer of a nested element: " & Err.Number
End Sub
ResizeInner outer(0)(1)
Dim byVal2 : byVal2 = Array(1)
Sub ResizeByVal(ByVal x)
    ReDim byVal2(3)
    WScript.Echo "ByVal parameter leaves it free: " & UBound(byVal2)
End Sub
ResizeByVal byVal2(0)
Sub ResizeParen(x)
    ReDim byVal2(4)
    WScript.Echo "parenthesised argument leaves it free: " & UBound(byVal2)
End Sub
ResizeParen (byVal2(0))

WScript.Echo "-- sorting by swapping elements"
Sub BubbleSort(arr)
    Dim i, j
    For i = 0 To UBound(arr) - 1
        For j = 0 To UBound(arr) - 1 - i
            If arr(j) > arr(j + 1) Then Swap arr(j), arr(j + 1)
        Next
    Next
End Sub
Dim nums : nums = Array(5, 3, 9, 1, 7)
Dim keep : keep = nums
BubbleSort nums
WScript.Echo Join(nums, " ") & " / unsorted copy: " & Join(keep, " ")

WScript.Echo "-- assignment into nested arrays"
Dim grid : grid = Array(Array(1, 2), 3)
grid(0)(1) = 9
WScript.Echo "grid(0)(1) = " & grid(0)(1)
Dim other : other = grid(0)
grid(0)(0) = 7
WScript.Echo "copies stay apart: " & Join(grid(0), ",") & " / " & Join(other, ",")
Dim deep : deep = Array(Array(Array("x")))
deep(0)(0)(0) = "y"
WScript.Echo "three levels: " & deep(0)(0)(0)
Set grid(1) = New Box
grid(1).v = "object element"
WScript.Echo grid(1).v
Sub Local2D()
    t = Array(Array(0, 0), Array(0, 0))
    t(1)(0) = "implicit local"
    WScript.Echo t(1)(0)
End Sub
Local2D
On Error Resume Next
Dim flat : flat = Array(1, 2)
flat(0)(1) = 5
WScript.Echo "not an array inside: " & Err.Number
Err.Clear
grid(0)(5) = 1
WScript.Echo "out of range: " & Err.Number
