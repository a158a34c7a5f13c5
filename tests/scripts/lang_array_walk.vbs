' Subscripts are rounded to even; For Each walks a multi-dimensional array
' first index fastest and works on a copy taken when the loop starts.
Dim b, m(1, 2), x, s, i
b = Array("a", "b", "c")
WScript.Echo b(0.5) & b(1.5) & b(2.5) & b(0.4) & b("1") & b(True + 2)
WScript.Echo UBound(m, 1.5) & " " & UBound(m, "1")
For i = 0 To 5
    m(i Mod 2, i \ 2) = i
Next
s = ""
For Each x In m
    s = s & x
Next
WScript.Echo s
s = ""
For Each x In b
    b(2) = "changed"
    s = s & x
Next
WScript.Echo s & " " & b(2)
Dim jag
jag = Array(Array(1, 2), Array(3, 4))
For i = 0 To 1
    jag(i)(1) = jag(i)(1) * 10
Next
WScript.Echo jag(0)(1) & " " & jag(1)(1)
On Error Resume Next
x = b(2.5 + 1)
WScript.Echo "b(3.5): " & Err.Number
Err.Clear
x = b(-0.5)
WScript.Echo "b(-0.5): " & Err.Number & " " & x
Err.Clear
x = b("two")
WScript.Echo "b(""two""): " & Err.Number
