' Subtypes of the built-in constants, of Round/Int/Fix/Abs results, Boolean
' and date texts, and the number texts that switch to E notation.
Sub T(label, v)
    WScript.Echo label & " " & TypeName(v) & " " & v
End Sub

WScript.Echo "-- constants that fit 16 bits are Integers"
T "vbSunday", vbSunday
T "vbSaturday", vbSaturday
T "vbUseSystemDayOfWeek", vbUseSystemDayOfWeek
T "vbFirstFourDays", vbFirstFourDays
T "vbOK", vbOK
T "vbNo", vbNo
T "vbYesNo", vbYesNo
T "vbCritical", vbCritical
T "vbDefaultButton3", vbDefaultButton3
T "vbSystemModal", vbSystemModal
T "vbBinaryCompare", vbBinaryCompare
T "vbTextCompare", vbTextCompare
T "vbGeneralDate", vbGeneralDate
T "vbShortTime", vbShortTime
T "vbString", vbString
T "vbArray", vbArray
T "vbUseDefault", vbUseDefault
T "vbTrue", vbTrue
T "vbFalse", vbFalse
WScript.Echo "-- Longs and Strings"
T "vbObjectError", vbObjectError
T "vbBlack", vbBlack
T "vbRed", vbRed
T "vbWhite", vbWhite
T "vbMsgBoxSetForeground", vbMsgBoxSetForeground
WScript.Echo TypeName(vbCrLf) & " " & Len(vbCrLf) & " " & TypeName(vbNullString)
WScript.Echo "arithmetic widens: " & TypeName(vbSunday + 1) & " " & TypeName(vbSaturday * 10000)
WScript.Echo "VarType(vbOK) = vbInteger: " & (VarType(vbOK) = vbInteger)

WScript.Echo "-- Round keeps a Boolean; Int, Fix and Abs give Integers"
T "Round(True)", Round(True)
T "Round(False)", Round(False)
T "Round(True, 2)", Round(True, 2)
T "Int(True)", Int(True)
T "Fix(True)", Fix(True)
T "Abs(True)", Abs(True)
T "Round(CByte(7))", Round(CByte(7))
T "Round(CSng(2.5))", Round(CSng(2.5))
T "Round(""3.5"")", Round("3.5")
T "Round(Empty)", Round(Empty)
T "Round(CCur(1.25), 1)", Round(CCur(1.25), 1)

WScript.Echo "-- Boolean and date texts"
T "CBool(""#TRUE#"")", CBool("#TRUE#")
T "CBool(""#FALSE#"")", CBool("#FALSE#")
T "CBool("" #true# "")", CBool(" #true# ")
If "#TRUE#" Then WScript.Echo "If ""#TRUE#"" runs"
T "CByte(True)", CByte(True)
T "CByte(False)", CByte(False)
T "CInt(True)", CInt(True)
T "CDate(""1"")", CDate("1")
T "CDate(""2.5"")", CDate("2.5")
T "CDate(""0"")", CDate("0")
T "CDate(""1/2/2003"")", CDate("1/2/2003")
On Error Resume Next
T "CBool(""#YES#"")", CBool("#YES#")
WScript.Echo "CBool(""#YES#""): " & Err.Number
Err.Clear
T "CByte(-1)", CByte(-1)
WScript.Echo "CByte(-1): " & Err.Number
Err.Clear
T "CDate(""x1"")", CDate("x1")
WScript.Echo "CDate(""x1""): " & Err.Number
Err.Clear
On Error GoTo 0

WScript.Echo "-- number text: E form below 1E-4, from 1E15, or when the digits with their leading zeros pass 15 places (7 for a Single)"
WScript.Echo 1 / 36
WScript.Echo 1 / 70
WScript.Echo 1 / 300
WScript.Echo 0.000244140625
WScript.Echo 1 / 3
WScript.Echo 0.0001
WScript.Echo 0.00001
WScript.Echo 1.5E-10
WScript.Echo 1E-15
WScript.Echo 1E-16
WScript.Echo 0.1 + 0.2 - 0.3
WScript.Echo -1 / 36
WScript.Echo 123456789012345
WScript.Echo 1E15
WScript.Echo CSng(0.01401764)
WScript.Echo CSng(0.0140176)
WScript.Echo CSng(1 / 3)
WScript.Echo CSng(0.0009765625)
WScript.Echo CSng(1234567)
WScript.Echo CSng(12345678)
WScript.Echo CStr(1 / 36) = "2.77777777777778E-02"
WScript.Echo Len(CStr(2 / 3))
