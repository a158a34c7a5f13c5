' dedup with Dictionary in binary vs text compare, StrComp sort, string utilities
Dim items, d, it, k, b
items = Split("apple,Banana,APPLE,cherry,banana, apple,Cherry,date", ",")
Set d = CreateObject("Scripting.Dictionary")
For Each it In items
  If Not d.Exists(it) Then d.Add it, 1 Else d(it) = d(it) + 1
Next
WScript.Echo "binary:", d.Count, Join(d.Keys, "|"), Join(d.Items, "|")
Set b = CreateObject("Scripting.Dictionary")
b.CompareMode = vbTextCompare
For Each it In items: b(Trim(it)) = b(Trim(it)) + 1: Next
WScript.Echo "text:", b.Count, Join(b.Keys, "|"), Join(b.Items, "|")
b.Key("date") = "fig"
WScript.Echo Join(b.Keys, "|"), b("APPLE"), b.Exists("aPpLe"), b.Exists("DATE"), b("FIG")
On Error Resume Next
b.CompareMode = 0
WScript.Echo "cm:", Err.Number, Err.Description
Err.Clear
On Error GoTo 0
Dim keys, i, j, t
keys = b.Keys
For i = UBound(keys) To 1 Step -1
  For j = 0 To i - 1
    If StrComp(keys(j), keys(j + 1), 1) > 0 Then t = keys(j): keys(j) = keys(j + 1): keys(j + 1) = t
  Next
Next
WScript.Echo Join(keys, ", ")
WScript.Echo StrComp("a", "B"), StrComp("a", "B", 1), StrComp("abc", "ABC"), StrComp("abc", "ABC", vbTextCompare), IsNull(StrComp("a", Null)), "a" < "B", "a" > "B"
Dim s: s = "  The quick brown fox  "
WScript.Echo "[" & Trim(s) & "][" & LTrim(s) & "][" & RTrim(s) & "]"
WScript.Echo UCase(s), LCase("ÀB"), Len(s), StrReverse("abc"), Replace(s, " ", ""), Replace("aAaA", "a", "x", 1, -1, 1), Replace("aAaA", "a", "x", 2), Replace("abcabc", "b", "", 1, 1)
WScript.Echo InStr("hello", "l"), InStr(4, "hello", "l"), InStrRev("hello", "l"), InStrRev("hello", "l", 3), InStr("abc", ""), InStr(5, "abc", "a"), InStrRev("abc", ""), InStr("", "a")
WScript.Echo Mid("hello", 2), Mid("hello", 2, 2), Mid("hello", 10), Left("hi", 5), Right("hello", 3), Mid("hello", 5, 10)
Dim parts: parts = Split("a,,b,", ",")
WScript.Echo UBound(parts), "[" & Join(parts, "][") & "]", UBound(Split("")), UBound(Split("a b  c")), UBound(Split("aXbxc", "x", -1, 1)), UBound(Split("a,b,c", ",", 2))
WScript.Echo Join(Split("a,b,c", ",", 2), "|"), Join(Array()), Join(Array(1, 2.5, True, Empty), "-")
WScript.Echo Space(0) & "|", String(3, "ab"), String(2, 65), Len(String(0, "x")), Filter(Split("red,green,blue", ","), "re")(1), UBound(Filter(Array("a", "b"), "z")), Join(Filter(Array("Ab", "cd", "aB"), "ab", False, 1), ",")
WScript.Echo LCase(Null) & "|", IsNull(UCase(Null)), Len(Null) & "|", Trim(123.5), Left(12345, 2), CStr(True) & "|" & CStr(False)
Dim p: p = "C:\Users\bob\Documents\report.final.docx"
WScript.Echo Mid(p, InStrRev(p, "\") + 1), Left(p, InStrRev(p, "\") - 1), Mid(p, InStrRev(p, ".") + 1)
WScript.Echo UCase(Left("word", 1)) & Mid("word", 2), Join(Array("x", "y"), vbTab) & "!"
