' Report-style output: padded columns with Space/Left/Right/String,
' FormatNumber/FormatCurrency/FormatPercent with their optional parts,
' Hex/Oct and a hand-written base conversion, Pascal's triangle, a matrix
' product, and numbers meeting text in & and +.
Dim data, r, v, n, k, c, row, i, j, s, A(1, 2), B(2, 1), P(1, 1)

WScript.Echo Left("Item" & Space(10), 10) & Right(Space(5) & "Qty", 5) & Right(Space(10) & "Price", 10) & Right(Space(12) & "Total", 12)
WScript.Echo String(37, "-")
data = Array(Array("Apple", 3, 0.5), Array("Banana", 12, 0.25), Array("Cherry", 100, 12.125), Array("Durian", 1, 1234.5))
For Each r In data
  WScript.Echo Left(r(0) & Space(10), 10) & Right(Space(5) & r(1), 5) & Right(Space(10) & FormatNumber(r(2), 2), 10) & Right(Space(12) & FormatCurrency(r(1) * r(2)), 12)
Next

For Each v In Array(0, -1, 0.5, 1234.5678, -1234.5678, 1E+6, 0.001, 99.995, -0.75)
  WScript.Echo v & " | " & FormatNumber(v) & " | " & FormatNumber(v, 3) & " | " & FormatNumber(v, 0) & " | " & FormatNumber(v, 1, 0, -1, 0) & " | " & FormatPercent(v) & " | " & FormatCurrency(v)
Next
WScript.Echo FormatNumber("1e3"), FormatNumber(Empty), FormatNumber(CCur(1.23456), 4), FormatNumber(123, 2, 0, 0, -1), FormatPercent(1 / 3, 1), FormatCurrency(-3, 0), FormatNumber(1E+20, 0)

WScript.Echo Hex(255), Hex(-1), Hex(65535), Hex(-32768), Hex(2147483647), Hex(-2147483648#), Oct(8), Oct(-8), &HFF, &HFFFF, &H7FFF, &H8000&, &O17, CLng("&H1F"), CInt("&O17")
Function ToBase(ByVal n, b)
  Dim s, digits : digits = "0123456789ABCDEF"
  If n = 0 Then ToBase = "0" : Exit Function
  Do While n > 0
    s = Mid(digits, (n Mod b) + 1, 1) & s
    n = n \ b
  Loop
  ToBase = s
End Function
Function FromBase(s, b)
  Dim i
  For i = 1 To Len(s)
    FromBase = FromBase * b + InStr("0123456789ABCDEF", UCase(Mid(s, i, 1))) - 1
  Next
End Function
WScript.Echo ToBase(255, 2), ToBase(1000, 16), ToBase(0, 8), ToBase(2147483647, 36 \ 3), FromBase("ff", 16), FromBase("11111111", 2), FromBase("777", 8)
WScript.Echo Right("0000" & 42, 5), Right(String(8, "0") & Hex(48879), 8), Int(123.456 * 100 + 0.5) / 100, Len(Space(3)), String(3, 65), String(2, "xyz")

For n = 0 To 6
  row = "" : c = 1
  For k = 0 To n
    row = row & Right("   " & c, 4)
    c = c * (n - k) / (k + 1)
  Next
  WScript.Echo Space((6 - n) * 2) & row
Next

v = 1
For i = 0 To 1
  For j = 0 To 2
    A(i, j) = v : B(j, i) = v * 2 : v = v + 1
  Next
Next
For i = 0 To 1
  For j = 0 To 1
    s = 0
    For k = 0 To 2 : s = s + A(i, k) * B(k, j) : Next
    P(i, j) = s
  Next
  WScript.Echo P(i, 0) & vbTab & P(i, 1)
Next
WScript.Echo UBound(A, 1), UBound(A, 2), LBound(A, 2), UBound(P)

n = 42
WScript.Echo "Value: " & n & ", half: " & n / 2 & ", third: " & n / 3 & ", sq: " & n ^ 2 & ", bool: " & (n > 40) & ", null: [" & Null & "]"
WScript.Echo 1 & 2 + 3, "1" + "2", "1" + 2, 1 + "2", "3" * "4", "10" / "4", "a" & 1.0, -"3", "5" - 1, "1.5" + 1, True & "", CStr(False) & 1
