' RegExp: the replacement tokens, Global off replacing the first match only,
' empty matches moving on, lookahead, lazy quantifiers, back-references,
' the ECMAScript escapes and classes, Multiline at CR and LF, a function as
' the replacement, unmatched groups, Matches kept after the pattern changes,
' and the error number of each kind of bad pattern.
Function Dump(ms)
    Dim m, s, i
    s = ms.Count & ":"
    For Each m In ms
        s = s & " {" & Show(m.Value) & "@" & m.FirstIndex & "/" & m.Length
        For i = 0 To m.SubMatches.Count - 1
            s = s & " " & TypeName(m.SubMatches(i)) & "=" & m.SubMatches(i)
        Next
        s = s & "}"
    Next
    Dump = s
End Function
Function Show(t)
    Show = Replace(Replace(t, vbCr, "\r"), vbLf, "\n")
End Function
Dim re
Set re = New RegExp
re.Global = True
Sub Exec(pat, subj)
    On Error Resume Next
    re.Pattern = pat
    Dim r : r = Dump(re.Execute(subj))
    If Err.Number <> 0 Then r = "error " & Err.Number & " " & Err.Description
    WScript.Echo pat & " => " & r
End Sub
Sub Repl(pat, subj, repWith)
    On Error Resume Next
    re.Pattern = pat
    Dim r : r = Show(re.Replace(subj, repWith))
    If Err.Number <> 0 Then r = "error " & Err.Number
    WScript.Echo pat & " / " & repWith & " => [" & r & "]"
End Sub

WScript.Echo "-- replacement tokens"
Repl "(\d+)-(\d+)", "10-20 30-40", "$2-$1"
Repl "(\d+)-(\d+)", "10-20 30-40", "[$&]"
Repl "(\d+)-(\d+)", "a 10-20 b", "<$`|$'>"
Repl "(\d+)-(\d+)", "10-20", "$$1 $3 $ x$"
Repl "(\d+)-(\d+)", "10-20", "$10"
Repl "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "abcdefghij", "$10$9"
Repl "(x)?y", "y", "[$1]"
re.Global = False
Repl "o", "foo boo", "0"
re.Global = True
Repl "o", "foo boo", "0"
Repl "z", "foo", "0"

WScript.Echo "-- empty matches"
Repl "x*", "abc", "-"
Exec "", "ab"
Exec "\b", "ab cd"
Exec "(?=a)", "aa"

WScript.Echo "-- syntax"
Exec "\d+(?=px)", "10px 20em 30px"
Exec "\d+(?!px|\d)", "10px 20em"
Exec "<.+?>", "<a><b>"
Exec "x{1,2}?", "xxx"
Exec "(\w)\1", "hello bookkeeper"
Exec "(['""])(.*?)\1", "say 'hi' and ""bye"""
Exec "\bfoo\b", "foo foobar barfoo foo."
Exec "[\w-]+", "a-b c_d"
Exec "[^\]]+", "ab]cd"
Exec "\w+", "h" & ChrW(233) & "llo"
Exec "\s+", "a b" & vbTab & "c" & vbCrLf & "d" & ChrW(160) & "e"
Exec "\Z\/\.", "Z/."
Exec "\u0041\x42\103\cJ", "ABC" & vbLf
Exec "[\b]", "a" & Chr(8)
Exec "a{,2}", "a{,2}"
Exec "(a)|(b)", "ab"
Exec "(?:ab)+", "ababx"

WScript.Echo "-- IgnoreCase"
re.IgnoreCase = True
Exec "[a-c]+", "ABC abd"
Exec ChrW(228) & "+", ChrW(196) & ChrW(228)
Exec "(a)\1", "aA"
re.IgnoreCase = False
Exec "[a-c]+", "ABC abd"

WScript.Echo "-- Multiline"
re.Multiline = True
Exec "^b", "a" & vbCrLf & "b" & vbCr & "b" & vbLf & "b"
Exec "a$", "a" & vbLf & "a"
Repl "^", "x" & vbLf & "y", "> "
re.Multiline = False
Exec "^b", "a" & vbLf & "b"
Exec "a$", "a" & vbLf
Exec "a.c", "a" & vbLf & "c"

WScript.Echo "-- objects"
Dim ms, m
re.Pattern = "b"
Set ms = re.Execute("abcb")
re.Pattern = "c"
WScript.Echo "kept: " & Dump(ms)
re.Pattern = "(a)(x)?"
Set m = re.Execute("a")(0)
WScript.Echo "unmatched group: " & IsEmpty(m.SubMatches(1)) & " " & m.SubMatches.Count
WScript.Echo "default members: " & re.Execute("a")(0) & " " & m.SubMatches(0)
Function Upper(match, g1, g2, pos, src)
    Upper = UCase(match) & pos & Len(src)
End Function
re.Pattern = "(b)(c)?"
WScript.Echo "function: " & re.Replace("abcb", GetRef("Upper"))
re.Global = False
WScript.Echo "Test ignores Global: " & CStr(re.Test("xxb"))
WScript.Echo "Execute without Global: " & re.Execute("bbb").Count

WScript.Echo "-- errors"
re.Global = True
Exec "(abc", "x"
Exec "[abc", "x"
Exec "*a", "x"
Exec "a**", "x"
Exec "a++", "x"
Exec "^*", "x"
Exec "[z-a]", "x"
Exec "a)", "x"
Exec "a\", "x"
Exec "(?<=a)b", "x"
Exec "(?i)a", "x"
Exec "a{2,1}", "x"
