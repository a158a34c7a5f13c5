' Result subtypes of the conversion and rounding functions, Hex and Oct of
' negative numbers, Null pass-through, and the engine and locale functions.
WScript.Echo TypeName(CBool(1)) & " " & TypeName(CByte(1)) & " " & TypeName(CCur(1)) & " " & TypeName(CDate(1))
WScript.Echo TypeName(CDbl(1)) & " " & TypeName(CInt(1)) & " " & TypeName(CLng(1)) & " " & TypeName(CSng(1)) & " " & TypeName(CStr(1))
WScript.Echo CCur("1234.56789")
WScript.Echo CSng(1.1)
WScript.Echo CDate(1)
WScript.Echo CDate(2.5)
WScript.Echo CDbl(CDate("1/1/2000"))
WScript.Echo CByte("12") + 1
WScript.Echo CStr(CDate("1/2/2003"))
WScript.Echo "-- Hex and Oct"
WScript.Echo Hex(CInt(-32768)) & " " & Hex(-32769) & " " & Hex(32768)
WScript.Echo Hex(1.5) & " " & Hex(2.5) & " " & Hex("255") & " " & Hex(CByte(255))
WScript.Echo Hex(Empty) & " " & IsNull(Hex(Null))
WScript.Echo Hex(-2147483648) & " " & Hex(&H80000000)
WScript.Echo Oct(8) & " " & Oct(-1) & " " & Oct(CLng(-1)) & " " & Oct(0)
WScript.Echo TypeName(Hex(10))
WScript.Echo "-- Int and Fix keep the subtype"
WScript.Echo TypeName(Int(2.5)) & " " & TypeName(Int(5)) & " " & TypeName(Int(100000))
WScript.Echo TypeName(Int("2.5")) & " " & TypeName(Int(CCur(2.5))) & " " & TypeName(Int(CSng(2.5)))
WScript.Echo TypeName(Fix(CDate("1/2/2003 3:00 PM"))) & " " & Fix(CDate("1/2/2003 3:00 PM"))
WScript.Echo Int(CCur(-2.5)) & " " & Fix(CCur(-2.5))
WScript.Echo Int(-0.5) & " " & Int("7.9")
WScript.Echo IsNull(Int(Null)) & " " & IsNull(Fix(Null))
WScript.Echo Int(Empty)
WScript.Echo "-- Round"
WScript.Echo Round(12.5) & " " & Round(13.5) & " " & Round(0.125, 2) & " " & Round(0.375, 2)
WScript.Echo Round(1.2345678, 4) & " " & Round(-1.5) & " " & Round(123.456, 0)
WScript.Echo TypeName(Round(2.5)) & " " & TypeName(Round(CSng(2.5))) & " " & TypeName(Round(5)) & " " & TypeName(Round(CCur(2.5)))
WScript.Echo Round(CCur(2.5)) & " " & Round(CCur(1.2345), 3) & " " & Round(CCur(1.2355), 3)
WScript.Echo Round("2.5") & " " & IsNull(Round(Null))
WScript.Echo "-- Abs and Sgn"
WScript.Echo Abs(-3) & " " & Abs("-2.5") & " " & Abs(Empty) & " " & Abs(CCur(-1.5))
WScript.Echo TypeName(Abs(-5)) & " " & TypeName(Abs("-5")) & " " & TypeName(Abs(CLng(-5)))
WScript.Echo IsNull(Abs(Null))
WScript.Echo Sgn(-7.5) & " " & Sgn(0) & " " & Sgn(3) & " " & Sgn(Empty) & " " & Sgn("-2")
WScript.Echo TypeName(Sgn(2.5))
WScript.Echo "-- engine and locale"
WScript.Echo ScriptEngine
WScript.Echo ScriptEngineMajorVersion & "." & ScriptEngineMinorVersion
WScript.Echo RGB(255, 0, 0) & " " & RGB(0, 255, 0) & " " & RGB(0, 0, 255) & " " & RGB(300, 1, 1)
WScript.Echo RGB(1, 2, 3) = &H030201
WScript.Echo GetLocale
WScript.Echo SetLocale(2057) & " " & GetLocale
WScript.Echo SetLocale("en-us") & " " & GetLocale
WScript.Echo IsDate("1/2/2003") & " " & IsDate("hello") & " " & IsDate(CDate("1/2/2003")) & " " & IsDate(1)
WScript.Echo IsNumeric(True) & " " & IsNumeric(" 12 ") & " " & IsNumeric(CDate("1/2/2003")) & " " & IsNumeric(CCur(1))
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
Dim r, a(2)
r = CDate("abc") : Report "CDate(text)"
r = CCur("x") : Report "CCur(text)"
r = CSng(1E+39) : Report "CSng(1E39)"
r = Hex(4294967296) : Report "Hex(2^32)"
r = Round(1.5, -1) : Report "Round digits -1"
r = Int("x") : Report "Int(text)"
r = UBound(a, 2) : Report "UBound dim 2"
r = UBound(a, 0) : Report "UBound dim 0"
r = LBound("abc") : Report "LBound(text)"
