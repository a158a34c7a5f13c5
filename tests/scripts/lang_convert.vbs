' Conversion functions (CInt, CLng and CByte round half to even), Round, Int,
' Fix, Abs, Hex, and the errors raised by failing conversions.
WScript.Echo CInt(2.5)
WScript.Echo CInt(3.5)
WScript.Echo CInt(-2.5)
WScript.Echo CInt(-3.5)
WScript.Echo CInt(1.4999)
WScript.Echo CInt(2.51)
WScript.Echo CInt("12")
WScript.Echo CInt("1.6")
WScript.Echo CInt(True)
WScript.Echo CInt(False)
WScript.Echo CInt(Empty)
WScript.Echo CLng(1.5)
WScript.Echo CLng(2.5)
WScript.Echo CLng("123456")
WScript.Echo CByte(2.5)
WScript.Echo CByte(3.5)
WScript.Echo CByte(255)
WScript.Echo CDbl("1.25")
WScript.Echo CDbl(True)
WScript.Echo CBool(0)
WScript.Echo CBool(2)
WScript.Echo CBool(-0.5)
WScript.Echo CBool("True")
WScript.Echo CBool("False")
WScript.Echo CBool(Empty)
WScript.Echo CStr(123)
WScript.Echo CStr(-4.5)
WScript.Echo CStr(False)
WScript.Echo Len(CStr(Empty))
WScript.Echo "-- rounding functions"
WScript.Echo Round(2.5)
WScript.Echo Round(3.5)
WScript.Echo Round(-2.5)
WScript.Echo Round(2.4)
WScript.Echo Round(0.5)
WScript.Echo Round(1.25, 1)
WScript.Echo Round(1.2367, 2)
WScript.Echo Int(2.7)
WScript.Echo Int(-2.7)
WScript.Echo Fix(2.7)
WScript.Echo Fix(-2.7)
WScript.Echo Int(-2)
WScript.Echo Abs(-3.5)
WScript.Echo Abs(4)
WScript.Echo Hex(255)
WScript.Echo Hex(-1)
WScript.Echo Hex(65535)
WScript.Echo Hex(CLng(-1))
WScript.Echo Hex(0)
WScript.Echo Hex(&H7FFFFFFF)
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
Dim r
r = CInt(32768) : Report "CInt(32768)"
r = CInt(-32769) : Report "CInt(-32769)"
r = CInt(32767.5) : Report "CInt(32767.5)"
r = CInt(32767.4) : WScript.Echo "CInt(32767.4): " & r & " err " & Err.Number
r = CByte(256) : Report "CByte(256)"
r = CByte(-1) : Report "CByte(-1)"
r = CLng(2147483648) : Report "CLng(2147483648)"
r = CInt("abc") : Report "CInt(abc)"
r = CDbl("") : Report "CDbl(empty string)"
r = CBool("maybe") : Report "CBool(maybe)"
r = CInt(Null) : Report "CInt(Null)"
r = CStr(Null) : Report "CStr(Null)"
