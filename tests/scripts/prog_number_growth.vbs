' Factorials and Fibonacci numbers as they grow: Integer arithmetic widens
' to Long and then Double on its own, Currency keeps four decimals and
' overflows past 922337203685477, and Doubles print with 15 digits, in
' E form from 1E+15 on.
Dim f, i, a, b, t, c, d

f = 1
For i = 1 To 22
  f = f * i
  If i = 7 Or i = 8 Or (i >= 12 And i <= 14) Or i >= 17 Then WScript.Echo i & "! = " & f & " (" & TypeName(f) & ")"
Next
d = 1#
For i = 1 To 170 : d = d * i : Next
WScript.Echo "170! = " & d
On Error Resume Next
d = d * 171
WScript.Echo "171! -> error " & Err.Number & " " & Err.Description
Err.Clear
On Error GoTo 0

a = 0 : b = 1
For i = 2 To 80
  t = a + b : a = b : b = t
  If i = 23 Or i = 24 Or i = 46 Or i = 47 Or i = 73 Or i = 74 Or i = 80 Then WScript.Echo "fib(" & i & ") = " & b & " " & TypeName(b)
Next

c = CCur(1)
For i = 1 To 17
  c = c * i
Next
WScript.Echo "17! as Currency = " & c & " " & TypeName(c)
On Error Resume Next
c = c * 18
WScript.Echo "18! as Currency -> error " & Err.Number & " " & Err.Description & ", value kept " & c
Err.Clear
On Error GoTo 0
WScript.Echo CCur(2.5) * 2, CCur("1.23456"), CCur(0.1) + CCur(0.2), TypeName(CCur(1) + CCur(2)), CCur(-0.00005), CCur(922337203685477)

' compound interest
d = 1000
For i = 1 To 10 : d = d * 1.05 : Next
WScript.Echo "Double: " & d & "  Rounded: " & Round(d, 2) & "  Formatted: " & FormatNumber(d, 2) & "  Int: " & Int(d)

WScript.Echo 1 / 3, 2 / 3, 10 / 3, 1E+15, 1E+16, 123456789012345, 1234567890123456, 0.1 + 0.2, 1 - 0.9, 1 / 7 * 1E-05
WScript.Echo 100000 * 100000, 2 ^ 53 + 1, 2 ^ 0.5, 0 - 2 ^ 2, 1E+300 * 10, 1.5E-07, 0.000001, 0.0000001, CSng(1 / 3), CSng(1E+10), CSng(123456789)
WScript.Echo 32767 + 1, TypeName(32767 + 1), 2147483647 + 1, TypeName(2147483647 + 1), TypeName(CInt(200) * CInt(200)), TypeName(CByte(200) + CByte(100)), CByte(200) + CByte(100)
WScript.Echo 5 \ 2, 7 Mod 3, -7 Mod 3, 7.5 Mod 2, 7 \ 2.5, 10 / 4, Int(-2.5), Fix(-2.5), Round(2.5), Round(3.5), Round(-2.5), CLng(2.5), CLng(3.5), CInt(-1.5)
