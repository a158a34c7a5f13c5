' Argument checks in Windows' order, Err.Raise numbers and kept fields,
' conversions used as statements, and RegExp's text arguments.
Sub Check(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
Class Plain
    Public Name
End Class
Dim r, d, x, o
On Error Resume Next

WScript.Echo "-- conversions as statements raise 458, as values they work"
Call CInt(1) : Check "Call CInt(1)"
Call CByte(1) : Check "Call CByte(1)"
Call CCur(1) : Check "Call CCur(1)"
Call CDbl(1) : Check "Call CDbl(1)"
Call CLng(1) : Check "Call CLng(1)"
Call CSng(1) : Check "Call CSng(1)"
CLng 5 : Check "CLng 5"
Call CStr(1) : Check "Call CStr(1)"
Call CBool(1) : Check "Call CBool(1)"
Call CDate(1) : Check "Call CDate(1)"
x = CInt(1) : Check "x = CInt(1)"
WScript.Echo "-- Randomize is a statement only"
Randomize 1 : Check "Randomize 1"
Call Randomize(1) : Check "Call Randomize(1)"
x = Randomize(0) : Check "x = Randomize(0)"
x = Randomize : Check "x = Randomize"

WScript.Echo "-- Null where a number or string is required"
x = InStrRev("abcd", Null) : Check "InStrRev(""abcd"", Null)"
x = InStrRev(Null, "abcd") : Check "InStrRev(Null, ""abcd"")"
WScript.Echo "InStr keeps its Null result: " & IsNull(InStr("abcd", Null))
x = Mid("test", "a", Null) : Check "Mid(""test"", ""a"", Null)"
x = Mid("test", 0, Null) : Check "Mid(""test"", 0, Null)"
x = Mid("test", -1, Null) : Check "Mid(""test"", -1, Null)"
x = Mid("test", Null) : Check "Mid(""test"", Null)"
x = Mid("test", "a") : Check "Mid(""test"", ""a"")"
x = Mid("test", 0) : Check "Mid(""test"", 0)"
WScript.Echo "Mid(Null, 1) is Null: " & IsNull(Mid(Null, 1))
Call Sgn(Null) : Check "Call Sgn(Null)"
x = Sgn(Null) : Check "x = Sgn(Null)"
d = #1/1/2000#
x = DateAdd("q", Null, d) : Check "DateAdd(""q"", Null, d)"
x = DateAdd("x", Null, d) : Check "DateAdd(""x"", Null, d)"
WScript.Echo "DateAdd with a Null date is Null: " & IsNull(DateAdd("q", 1, Null))
x = MonthName("a", Null) : Check "MonthName(""a"", Null)"
x = MonthName("a") : Check "MonthName(""a"")"
x = MonthName(13) : Check "MonthName(13)"
x = WeekdayName(9, Null) : Check "WeekdayName(9, Null)"

WScript.Echo "-- Join takes a one-dimensional array of texts"
Set o = New Plain
x = Join(o) : Check "Join(obj)"
x = Join(Array(1, Null)) : Check "Join(Array(1, Null))"
Dim m(1, 1)
x = Join(m) : Check "Join(2-D array)"
x = Join("abc") : Check "Join(""abc"")"
x = Join(Null) : Check "Join(Null)"
WScript.Echo Join(Array(1, Empty, True, "z"), "-")

WScript.Echo "-- compare modes are 0 and 1 only"
x = Split("a-b", "-", -1, 2) : Check "Split(s, ""-"", -1, 2)"
x = Split("a-b", "-", -1, -1) : Check "Split(s, ""-"", -1, -1)"
WScript.Echo UBound(Split("aXbxc", "x", -1, 1))
x = InStr(1, "abc", "B", 2) : Check "InStr(1, ""abc"", ""B"", 2)"
WScript.Echo InStr(1, "abc", "B", vbTextCompare)

WScript.Echo "-- Err.Raise numbers"
Err.Raise &h10000& : Check "Err.Raise &h10000&"
Err.Raise 65535 : Check "Err.Raise 65535"
Err.Raise &h8007000E& : Check "Err.Raise &h8007000E&"
Err.Raise &h800A0009& : Check "Err.Raise &h800A0009&"
Err.Raise &h80070057& : Check "Err.Raise &h80070057&"
Err.Raise vbObjectError + 1, "app", "mine" : Check "Err.Raise vbObjectError + 1"
Err.Raise 0 : Check "Err.Raise 0"

WScript.Echo "-- omitted fields keep what Err still holds"
Err.Raise 1000, "first source", "first text", "help.chm", 42
Err.Raise 1001
WScript.Echo Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext
Err.Raise 1002, "second source"
WScript.Echo Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext
Err.Clear
Err.Raise 30001
WScript.Echo Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext
Err.Clear
Err.Description = "set by hand"
Err.Raise 30002
WScript.Echo Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext
Err.Clear
Err.Raise 9
WScript.Echo Err.Number & "|" & Err.Source & "|" & Err.Description
x = 1 / 0
Err.Raise 5
WScript.Echo Err.Number & "|" & Err.Source & "|" & Err.Description
Err.Clear

WScript.Echo "-- RegExp's text arguments: True is -1"
Set r = New RegExp
r.Pattern = "b"
WScript.Echo r.Replace("abc", True)
WScript.Echo r.Replace("abc", False)
WScript.Echo r.Replace("abc", 2.5)
r.Pattern = "1"
WScript.Echo r.Replace(True, "+")
WScript.Echo r.Test(True) & " " & r.Execute(True).Count
r.Pattern = True
WScript.Echo r.Pattern
WScript.Echo "Replace of a Boolean inside VBScript stays True: " & Replace("abc", "b", True)

WScript.Echo "-- functions that need a number refuse Null; Abs, Int, Fix, Round, Hex and Oct pass it on"
x = Sqr(Null) : Check "Sqr(Null)"
x = Exp(Null) : Check "Exp(Null)"
x = Log(Null) : Check "Log(Null)"
x = Atn(Null) : Check "Atn(Null)"
x = Cos(Null) : Check "Cos(Null)"
WScript.Echo IsNull(Abs(Null)) & " " & IsNull(Int(Null)) & " " & IsNull(Fix(Null)) & " " & IsNull(Round(Null)) & " " & IsNull(Hex(Null)) & " " & IsNull(Oct(Null))
