' String concatenation with & and +, text forms of values, and the basic
' string functions used throughout the corpus.
WScript.Echo "a" & "b"
WScript.Echo "a" & 1
WScript.Echo 1 & 2
WScript.Echo TypeName(1 & 2)
WScript.Echo 1.5 & "|"
WScript.Echo True & "|" & False
WScript.Echo "[" & Empty & "]"
WScript.Echo "[" & Null & "]"
WScript.Echo TypeName("a" & Null)
WScript.Echo IsNull(Null & Null)
WScript.Echo "x" + "y"
WScript.Echo "1" + "2"
WScript.Echo "a" & 1 + 2
WScript.Echo -1.25 & ""
WScript.Echo 100000 & "|" & 2147483648
Dim s, i
s = "abc"
s = s & "def"
WScript.Echo s
s = ""
For i = 1 To 5
    s = s & i
Next
WScript.Echo s
WScript.Echo Len(s)
WScript.Echo Len(12345)
WScript.Echo Len(-1.5)
WScript.Echo Left("hello", 2)
WScript.Echo Right("hello", 3)
WScript.Echo Mid("hello", 2, 3)
WScript.Echo Mid("hello", 3)
WScript.Echo UCase("MiXed 1") & LCase("MiXed")
WScript.Echo "[" & Trim("  a b  ") & "]"
WScript.Echo InStr("hello", "l")
WScript.Echo InStr(4, "hello", "l")
WScript.Echo InStr("hello", "z")
WScript.Echo Replace("a-b-c", "-", "+")
WScript.Echo Chr(65) & Chr(97)
WScript.Echo Asc("a")
WScript.Echo String(3, "x")
WScript.Echo "[" & Space(2) & "]"
WScript.Echo Join(Split("a,b,c", ","), "|")
WScript.Echo Len(vbCrLf) & " " & Asc(vbTab)
WScript.Echo Asc(vbCr) & " " & Asc(vbLf)
WScript.Echo Len("a" & vbCrLf & "b")
WScript.Echo IsNull(Len(Null))
WScript.Echo Chr(34) & "q" & Chr(34)
