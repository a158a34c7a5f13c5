' String functions: lengths, substrings, searching in both compare modes,
' case and blanks, Replace, Split, Join, Filter, character codes, Escape,
' Null handling and the errors for invalid arguments.
WScript.Echo Len("hello") & " " & Len(12345) & " " & Len("")
WScript.Echo IsNull(Len(Null))
WScript.Echo LenB("abc")
WScript.Echo Left("hello", 2) & "|" & Left("hi", 10) & "|" & Left("abc", 0) & "|"
WScript.Echo Right("hello", 3) & "|" & Right("hi", 10)
WScript.Echo Mid("hello", 2, 3) & "|" & Mid("hello", 3) & "|" & Mid("hello", 10) & "|" & Mid("hello", 4, 100)
WScript.Echo IsNull(Mid(Null, 1)) & " " & IsNull(Left(Null, 1))
WScript.Echo Mid(12345, 2, 2)
WScript.Echo "-- InStr"
WScript.Echo InStr("hello", "l")
WScript.Echo InStr(4, "hello", "l")
WScript.Echo InStr("Hello", "h")
WScript.Echo InStr(1, "Hello", "h", vbTextCompare)
WScript.Echo InStr(1, "Hello", "h", vbBinaryCompare)
WScript.Echo InStr("abc", "")
WScript.Echo InStr("", "a")
WScript.Echo InStr("abc", "abcd")
WScript.Echo IsNull(InStr("abc", Null))
WScript.Echo InStrRev("a.b.c", ".")
WScript.Echo InStrRev("a.b.c", ".", 3)
WScript.Echo InStrRev("abcABC", "b", -1, vbTextCompare)
WScript.Echo InStrRev("abc", "x")
WScript.Echo "-- case and blanks"
WScript.Echo UCase("MiXeD 1") & " " & LCase("MiXeD 1")
WScript.Echo "[" & LTrim("  a  ") & "][" & RTrim("  a  ") & "][" & Trim("  a  ") & "]"
WScript.Echo Len(Trim(vbTab & "a "))
WScript.Echo "[" & Space(3) & "]"
WScript.Echo String(3, "xy") & " " & String(2, 65) & " [" & String(0, "z") & "]"
WScript.Echo StrReverse("abc") & "|" & StrReverse("")
WScript.Echo StrComp("abc", "ABC") & " " & StrComp("abc", "ABC", vbTextCompare) & " " & StrComp("a", "b") & " " & StrComp("b", "a")
WScript.Echo StrComp("ab", "abc") & " " & IsNull(StrComp(Null, "a"))
WScript.Echo TypeName(StrComp("a", "b"))
WScript.Echo "-- character codes"
WScript.Echo Asc("A") & " " & Asc("abc") & " " & AscW("a")
WScript.Echo Chr(72) & Chr(105)
WScript.Echo AscW(ChrW(8364)) & " " & Asc(Chr(128)) & " " & AscW(Chr(128))
WScript.Echo Len(vbCrLf) & " " & Asc(vbTab) & " " & Asc(vbLf) & " " & Len(vbNullString) & " " & Asc(vbNullChar)
WScript.Echo TypeName(Asc("a")) & " " & TypeName(Chr(65))
WScript.Echo "-- Replace"
WScript.Echo Replace("a-b-c", "-", "+")
WScript.Echo Replace("aXbxc", "x", "")
WScript.Echo Replace("aXbxc", "x", "", 1, -1, vbTextCompare)
WScript.Echo Replace("abcabc", "b", "B", 3)
WScript.Echo Replace("aaaa", "a", "b", 1, 2)
WScript.Echo Replace("hello", "", "x")
WScript.Echo Replace("hello", "l", "L", 1, 0)
WScript.Echo "[" & Replace("abc", "a", "x", 4) & "]"
WScript.Echo Replace("aaa", "a", "aa")
WScript.Echo "-- Split, Join, Filter"
Dim parts
parts = Split("a,b,,c", ",")
WScript.Echo UBound(parts) & " [" & parts(2) & "] " & parts(3)
WScript.Echo Join(parts, "|")
WScript.Echo UBound(Split("")) & " " & TypeName(Split(""))
WScript.Echo Join(Split("a b c"), "+")
WScript.Echo Join(Split("a b c", " ", 2), "+")
WScript.Echo Join(Split("1x2X3", "x"), ",")
WScript.Echo Join(Split("1x2X3", "x", -1, vbTextCompare), ",")
WScript.Echo UBound(Split("abc", ""))
WScript.Echo Join(Array(1, 2, 3)) & "|" & Join(Array("x"), ", ") & "|" & Join(Array(), ",") & "|"
Dim f
f = Filter(Array("apple", "banana", "cherry"), "an")
WScript.Echo UBound(f) & " " & f(0)
WScript.Echo Join(Filter(Array("apple", "banana", "cherry"), "a", False), ",")
WScript.Echo Join(Filter(Array("Apple", "banana"), "A"), ",")
WScript.Echo Join(Filter(Array("Apple", "banana"), "A", True, vbTextCompare), ",")
WScript.Echo UBound(Filter(Array("x", "y"), "z"))
WScript.Echo "-- Escape"
WScript.Echo Escape("a b&c=d/e.f")
WScript.Echo Unescape("a%20b%26c")
WScript.Echo Escape(ChrW(8364)) & " " & AscW(Unescape("%u20AC"))
WScript.Echo Unescape("100%") & " " & Unescape("%zz")
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
Dim r
r = Mid("abc", 0) : Report "Mid start 0"
r = Mid("abc", 1, -1) : Report "Mid length -1"
r = Left("abc", -1) : Report "Left -1"
r = Right("abc", Null) : Report "Right Null"
r = Chr(256) : Report "Chr(256)"
r = ChrW(65536) : Report "ChrW(65536)"
r = Asc("") : Report "Asc empty"
r = Space(-1) : Report "Space(-1)"
r = String(-1, "a") : Report "String(-1)"
r = InStr(0, "abc", "a") : Report "InStr start 0"
r = InStr(Null, "abc", "a") : Report "InStr start Null"
r = InStrRev("abc", "a", 0) : Report "InStrRev start 0"
r = Replace(Null, "a", "b") : Report "Replace Null"
r = Replace("abc", "a", "b", 0) : Report "Replace start 0"
r = StrReverse(Null) : Report "StrReverse Null"
r = Split("a b", " ", -2) : Report "Split count -2"
r = Join("abc") : Report "Join string"
