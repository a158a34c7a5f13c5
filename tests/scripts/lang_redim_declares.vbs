Option Explicit
' ReDim declares the names it sizes, even under Option Explicit; a fixed
' array refuses ReDim before its new bounds are read; For Each over an
' unallocated dynamic array runs zero times.
ReDim a(2)
a(2) = "top-level ReDim declares"
WScript.Echo a(2)
Sub R()
    ReDim b(1)
    b(1) = "ReDim in a procedure declares a local"
    WScript.Echo b(1)
    ReDim Preserve a(3)
    WScript.Echo "and resizes an existing global: " & UBound(a) & " " & a(2)
End Sub
R
Dim fx(3)
On Error Resume Next
ReDim fx("abc")
WScript.Echo "fixed array, bad bound: " & Err.Number & " " & Err.Description
Err.Clear
ReDim fx(5)
WScript.Echo "fixed array: " & Err.Number
Err.Clear
ReDim Preserve fx(Null)
WScript.Echo "fixed array, Preserve: " & Err.Number
Err.Clear
ReDim a("abc")
WScript.Echo "dynamic array, bad bound: " & Err.Number
Err.Clear
WScript.Echo "unchanged: " & UBound(a)
Dim e(), n, v
n = 0
For Each v In e
    n = n + 1
Next
WScript.Echo "For Each over Dim e(): " & n & " " & Err.Number
Sub EachLocal()
    Dim le(), k, cnt
    cnt = 0
    For Each k In le : cnt = cnt + 1 : Next
    WScript.Echo "local Dim le(): " & cnt & " " & Err.Number
End Sub
EachLocal
Class Holder
    Public items()
End Class
Dim h : Set h = New Holder
n = 0
For Each v In h.items : n = n + 1 : Next
WScript.Echo "class field items(): " & n & " " & Err.Number
ReDim e(1)
n = 0
For Each v In e : n = n + 1 : Next
WScript.Echo "after ReDim e(1): " & n
ReDim e(-1)
n = 0
For Each v In e : n = n + 1 : Next
WScript.Echo "after ReDim e(-1): " & n
Erase e
n = 0
For Each v In e : n = n + 1 : Next
WScript.Echo "after Erase: " & n & " " & Err.Number
WScript.Echo "UBound of it still fails: " & UBound(e)
WScript.Echo Err.Number
Err.Clear
y = NoSuchFunction(1)
WScript.Echo "unknown name(...) under Option Explicit: " & Err.Number
Err.Clear
NoSuchSub 1
WScript.Echo "as a statement: " & Err.Number
Err.Clear
On Error GoTo 0
undeclared = 1
