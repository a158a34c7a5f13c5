' InStr, InStrRev, Replace, Split, Filter and StrComp at the edges: empty
' texts, starts past the end, counts, both compare modes, Null arguments and
' the argument errors. StrComp's text mode sorts like Windows' word sort.
Sub Check(label, v)
    If Err.Number <> 0 Then
        WScript.Echo label & " => error " & Err.Number
        Err.Clear
    ElseIf IsArray(v) Then
        WScript.Echo label & " => " & LBound(v) & ".." & UBound(v) & " [" & Join(v, "|") & "]"
    Else
        WScript.Echo label & " => " & TypeName(v) & " [" & v & "]"
    End If
End Sub
On Error Resume Next
Dim x
WScript.Echo "-- InStr"
x = InStr("", "") : Check "empty in empty", x
x = InStr(1, "abc", "") : Check "empty search at 1", x
x = InStr(3, "abc", "") : Check "empty search at 3", x
x = InStr(5, "abc", "a") : Check "start past the end", x
x = InStr(2, "abab", "ab") : Check "start skips the first", x
x = InStr("abc", Empty) : Check "Empty search", x
x = InStr(Null, "abc") : Check "Null text, two args", x
x = InStr(1, "abc", Null) : Check "Null search", x
x = InStr(1, "aAbB", "Ab", vbTextCompare) : Check "text mode", x
x = InStr(1, "aAbB", "Ab", "1") : Check "mode as text", x
x = InStr(1, "aAbB", "Ab", Null) : Check "mode Null", x
x = InStr("abc", "b", 1) : Check "three args: the first is the start", x
x = InStr(Empty, "abc", "b") : Check "start Empty", x
x = InStr(2, 12321, 2) : Check "numbers", x
WScript.Echo "-- InStrRev"
x = InStrRev("abcabc", "b") : Check "last", x
x = InStrRev("abcabc", "b", 4) : Check "start 4", x
x = InStrRev("abcab", "ab", 4) : Check "match must end by start", x
x = InStrRev("abcab", "ab", 5) : Check "match ending at start", x
x = InStrRev("abcabc", "b", 10) : Check "start past the end", x
x = InStrRev("abcABC", "B", -1, vbTextCompare) : Check "text mode", x
x = InStrRev("abc", "a", -2) : Check "start -2", x
x = InStrRev(Null, "a") : Check "Null text", x
WScript.Echo "-- Replace"
x = Replace("abcabc", "b", "X", 2) : Check "start 2 drops the head", x
x = Replace("abcabc", "b", "X", 3) : Check "start 3", x
x = Replace("abc", "b", "X", 4) : Check "start just past the end", x
x = Replace("abcabc", "B", "X", 1, -1, vbTextCompare) : Check "text mode", x
x = Replace("abcabc", "B", "X") : Check "binary default", x
x = Replace("abcabc", "b", "X", 1, 1) : Check "count 1", x
x = Replace("aaaa", "a", "b", 2, 2) : Check "start and count", x
x = Replace("abc", "", "X", 2) : Check "empty find keeps the tail", x
x = Replace("", "a", "X") : Check "empty text", x
x = Replace(123123, 2, 9) : Check "numbers", x
x = Replace("abc", "b", "X", 1, -2) : Check "count -2", x
WScript.Echo "-- Split"
x = Split("a,b,c", ",", 2) : Check "limit 2", x
x = Split("a,b,c", ",", 1) : Check "limit 1", x
x = Split("a,b,c", ",", 0) : Check "limit 0", x
x = Split("a,b,c", "") : Check "empty delimiter", x
x = Split("ab", "abc") : Check "delimiter longer than text", x
x = Split(",a,", ",") : Check "delimiters at the edges", x
x = Split("a  b") : Check "default delimiter", x
x = Split("aXbxc", "x", -1, vbTextCompare) : Check "text mode", x
x = Split(123, 2) : Check "numbers", x
WScript.Echo "-- Join and Filter"
x = Join(Array("a", Empty, 1, True)) : Check "Join mixed, default space", x
x = Filter(Array("abc", "ABC", "x"), "b", False) : Check "exclude", x
x = Filter(Array("abc", "ABC", "x"), "b", False, vbTextCompare) : Check "exclude, text mode", x
x = Filter(Array("a", "b"), "") : Check "empty value", x
WScript.Echo "-- StrComp"
x = StrComp("a", "B") : Check "binary a B", x
x = StrComp("a", "B", vbTextCompare) : Check "text a B", x
x = StrComp("a", "A", vbBinaryCompare) : Check "binary a A", x
x = StrComp("10", "9") : Check "digits as text", x
x = StrComp("", Empty) : Check "empty and Empty", x
x = StrComp(1, "1") : Check "number and text", x
x = StrComp(Null, Null) : Check "Null", x
x = StrComp(ChrW(233) & "t" & ChrW(233), "fin", vbTextCompare) : Check "text: accents sort with the base letter", x
x = StrComp(ChrW(233) & "t" & ChrW(233), "fin", vbBinaryCompare) : Check "binary: by code", x
x = StrComp("Zebra", ChrW(193) & "rbol", vbTextCompare) : Check "text: capital with accent", x
x = StrComp("caf" & ChrW(233), "cafe", vbTextCompare) : Check "text: accent after plain", x
x = StrComp("CAF" & ChrW(201), "caf" & ChrW(233), vbTextCompare) : Check "text: accent, case ignored", x
x = StrComp("file_1", "file1", vbTextCompare) : Check "text: symbols before digits", x
x = StrComp("a{", "ab", vbTextCompare) : Check "text: symbols before letters", x
x = StrComp("file_1", "file1", vbBinaryCompare) : Check "binary: by code", x
