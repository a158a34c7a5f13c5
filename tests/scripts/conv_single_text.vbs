' A Single shows and formats by its 7 significant digits: CStr, Echo and
' concatenation, and FormatNumber / FormatCurrency / FormatPercent round that
' text (half away from zero), not the binary value behind it.
WScript.Echo CSng(1.15) & " " & CSng(0.1) & " " & CSng(1 / 3) & " " & CSng(123456789) & " " & CSng(1.5E-05)
WScript.Echo CDbl(CSng(0.1))
WScript.Echo FormatNumber(CSng(1.15), 1)
WScript.Echo FormatNumber(CSng(0.1), 10)
WScript.Echo FormatNumber(CSng(2.5), 0)
WScript.Echo FormatNumber(CSng(-1.15), 1, , vbTrue)
WScript.Echo FormatNumber(CSng(1234567.8), 1)
WScript.Echo FormatNumber(CSng(0), 2)
WScript.Echo FormatCurrency(CSng(1234.565))
WScript.Echo FormatPercent(CSng(0.123), 3)
WScript.Echo FormatPercent(CSng(0.00115), 2)
' The Double next to it keeps its 15 digits.
WScript.Echo FormatNumber(CDbl(CSng(0.1)), 10)
WScript.Echo FormatNumber(1.15, 1)
