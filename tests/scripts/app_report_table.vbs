' padded report table with FormatNumber/FormatCurrency/FormatPercent and mixed-type display
Dim data, r, tot, hdr, line
data = Array(Array("Widgets", 1234, 2.5), Array("Gadgets & Co", 7, 1999.99), Array("Thingamajigs", 0, 0.333), Array("Neg", -15, 10))
Function PadR(s, n): PadR = Left(s & Space(n), n): End Function
Function PadL(s, n)
  If Len(s) >= n Then PadL = s Else PadL = Space(n - Len(s)) & s
End Function
hdr = PadR("Item", 12) & " | " & PadL("Qty", 6) & " | " & PadL("Price", 10) & " | " & PadL("Total", 12) & " | " & PadL("Share", 7)
WScript.Echo hdr
WScript.Echo String(Len(hdr), "-")
tot = 0
For Each r In data: tot = tot + r(1) * r(2): Next
For Each r In data
  WScript.Echo PadR(r(0), 12) & " | " & PadL(FormatNumber(r(1), 0), 6) & " | " & PadL(FormatCurrency(r(2)), 10) & " | " & PadL(FormatNumber(r(1) * r(2), 2), 12) & " | " & PadL(FormatPercent(r(1) * r(2) / tot, 1), 7)
Next
WScript.Echo String(Len(hdr), "=")
WScript.Echo PadR("Total", 12) & "   " & Space(6) & "   " & Space(10) & " | " & PadL(FormatNumber(tot, 2), 12)
WScript.Echo FormatCurrency(-1234.5), FormatCurrency(1e6, 0), FormatCurrency(-3, 2, , False), CCur(1.23456), CCur(1234567.8) * 2, TypeName(CCur(1) * 2), TypeName(CCur(1) * 2.5)
WScript.Echo FormatNumber(1.26, 1), FormatNumber(-7.6, 0), FormatNumber(12345.678, 3, , , True), FormatNumber(Empty), FormatPercent(0)
WScript.Echo 5 & "", 5.0, 1.10, -0.5, .5, 3 * 1.1, 100 * 1.1, CDbl("1.5"), CSng(0.1), CSng(1) / 3, 2 / 3 * 3, 1e300 * 10 > 0
WScript.Echo Empty & "|", IsEmpty(Empty), Null & "x", TypeName(Null & "x"), VarType(Empty), TypeName(1 + Empty), 1 + Null & "", "5" + 3, "5" & 3, "a" < "b", 10 < 9, "10" < "9"
Select Case True
  Case tot < 0: WScript.Echo "neg"
  Case tot <= 10000, tot = 5: WScript.Echo "small", tot
  Case Else: WScript.Echo "big"
End Select
