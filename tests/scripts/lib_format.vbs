' FormatNumber, FormatCurrency, FormatPercent and FormatDateTime with the
' US-English defaults and each optional argument.
WScript.Echo FormatNumber(1234567.891)
WScript.Echo FormatNumber(1234.5, 0)
WScript.Echo FormatNumber(1234)
WScript.Echo FormatNumber(0)
WScript.Echo FormatNumber(0.5)
WScript.Echo FormatNumber(0.5, 2, vbFalse)
WScript.Echo FormatNumber(0.5, 2, vbTrue)
WScript.Echo FormatNumber(-1234.5, 1)
WScript.Echo FormatNumber(-1234.5, 1, , vbTrue)
WScript.Echo FormatNumber(-1234.5, 1, , vbFalse)
WScript.Echo FormatNumber(1234.5, 2, , , vbFalse)
WScript.Echo FormatNumber(1234.5, 2, , , vbUseDefault)
WScript.Echo FormatNumber("12.345", 1)
WScript.Echo FormatNumber(123.456, -1)
WScript.Echo FormatNumber(1 / 3, 5)
WScript.Echo FormatNumber(2.5, 0)
WScript.Echo FormatNumber(0.125, 2)
WScript.Echo FormatNumber(999.999, 2)
WScript.Echo FormatNumber(1E+15, 0)
WScript.Echo FormatNumber(123456789)
WScript.Echo FormatNumber(True)
WScript.Echo FormatNumber(CCur(1234.5678), 3)
WScript.Echo TypeName(FormatNumber(1))
WScript.Echo "-- currency"
WScript.Echo FormatCurrency(1234.567)
WScript.Echo FormatCurrency(-1)
WScript.Echo FormatCurrency(-1, 2, , vbFalse)
WScript.Echo FormatCurrency(1000000)
WScript.Echo FormatCurrency(0.25, 2, vbFalse)
WScript.Echo FormatCurrency(12.5, 0)
WScript.Echo FormatCurrency(1234.5, 1, , , vbFalse)
WScript.Echo "-- percent"
WScript.Echo FormatPercent(0.5)
WScript.Echo FormatPercent(0.12345, 1)
WScript.Echo FormatPercent(1.5, 0)
WScript.Echo FormatPercent(-0.255, 1)
WScript.Echo FormatPercent(-0.5, 0, , vbTrue)
WScript.Echo FormatPercent(12.3456)
WScript.Echo FormatPercent(0.005, 2, vbFalse)
WScript.Echo FormatPercent(1)
WScript.Echo "-- FormatDateTime"
Dim d
d = CDate("1/2/2003 3:04:05 PM")
WScript.Echo FormatDateTime(d)
WScript.Echo FormatDateTime(d, vbGeneralDate)
WScript.Echo FormatDateTime(d, vbLongDate)
WScript.Echo FormatDateTime(d, vbShortDate)
WScript.Echo FormatDateTime(d, vbLongTime)
WScript.Echo FormatDateTime(d, vbShortTime)
WScript.Echo FormatDateTime(DateSerial(2003, 12, 25))
WScript.Echo FormatDateTime(DateSerial(2003, 12, 25), vbLongDate)
WScript.Echo FormatDateTime(TimeSerial(9, 5, 0))
WScript.Echo FormatDateTime(TimeSerial(9, 5, 0), vbShortTime)
WScript.Echo FormatDateTime(TimeSerial(0, 30, 0), vbLongTime)
WScript.Echo FormatDateTime("12/25/2003 11:00 PM", vbShortTime)
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
Dim r
r = FormatNumber("abc") : Report "FormatNumber(text)"
r = FormatCurrency("") : Report "FormatCurrency(empty string)"
r = FormatDateTime(d, 7) : Report "FormatDateTime format 7"
r = FormatDateTime("abc") : Report "FormatDateTime(text)"
