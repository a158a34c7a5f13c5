' Text form of numbers: Doubles print with at most 15 significant digits,
' scientific notation from 1E15 up and below 0.0001; Single and Currency.
WScript.Echo 0.1 + 0.2
WScript.Echo 1 / 3
WScript.Echo 2 / 3
WScript.Echo 10 / 3
WScript.Echo -1 / 3
WScript.Echo 1 - 0.9
WScript.Echo 0.1 * 3
WScript.Echo 2 ^ 0.5
WScript.Echo 1 / 8
WScript.Echo 100 / 4
WScript.Echo 123.456
WScript.Echo 1.10
WScript.Echo 3.0
WScript.Echo -0.5
WScript.Echo 12345.6789 * 10000
WScript.Echo 1E+20
WScript.Echo -1E20
WScript.Echo 1E15
WScript.Echo 1E14
WScript.Echo 999999999999999
WScript.Echo 1234567890123456
WScript.Echo 2 ^ 53
WScript.Echo 1E300 * 1E5
WScript.Echo 0.0001
WScript.Echo 0.00001
WScript.Echo 3 * 0.00001
WScript.Echo 1.5E-10
WScript.Echo 2147483648
WScript.Echo CSng(0.1)
WScript.Echo CSng(1.5)
WScript.Echo CCur(1.23456)
WScript.Echo CCur(0.1) + CCur(0.2)
WScript.Echo CCur(2.5)
WScript.Echo CCur(1000000)
WScript.Echo CDbl("1E3")
WScript.Echo CDbl("2.50")
WScript.Echo CStr(1 / 4)
WScript.Echo Len(CStr(1 / 3))
WScript.Echo CStr(1E20) = "1E+20"
