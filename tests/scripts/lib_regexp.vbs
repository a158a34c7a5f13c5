' RegExp: New RegExp and CreateObject, Test, Execute with Matches, Match and
' SubMatches (default members, For Each), Replace with $n and $&, the flags,
' and the numbers of pattern errors.
Dim re, m, ms, sm, s
Set re = New RegExp
WScript.Echo TypeName(re) & " [" & re.Pattern & "] " & re.Global & " " & re.IgnoreCase & " " & re.Multiline
re.Pattern = "(\w+)@(\w+)\.com"
WScript.Echo re.Test("mail bob@example.com now") & " " & re.Test("nothing here")
Set ms = re.Execute("bob@example.com, amy@test.com")
WScript.Echo ms.Count & " " & TypeName(ms) & " " & TypeName(ms(0)) & " " & TypeName(ms(0).SubMatches)
re.Global = True
Set ms = re.Execute("bob@example.com, amy@test.com")
WScript.Echo ms.Count & " " & ms(1) & " " & ms.Item(1).Value
For Each m In ms
    WScript.Echo m.Value & " at " & m.FirstIndex & " len " & m.Length & ": " & _
        m.SubMatches(0) & "/" & m.SubMatches.Item(1) & " (" & m.SubMatches.Count & ")"
Next
For Each sm In ms(0).SubMatches
    WScript.Echo "sub " & sm
Next
Set ms = re.Execute("no addresses")
WScript.Echo ms.Count
For Each m In ms
    WScript.Echo "never"
Next
WScript.Echo "-- Replace"
s = "bob@example.com, amy@test.com"
WScript.Echo re.Replace(s, "$2:$1")
WScript.Echo re.Replace(s, "[$&]")
re.Global = False
WScript.Echo re.Replace(s, "x")
re.Global = True
re.Pattern = "\s+"
WScript.Echo re.Replace("a  b" & vbTab & " c", " ")
re.Pattern = "(\S+)(\s+)(\S+)"
WScript.Echo re.Replace("one two", "$3$2$1")
re.Pattern = "o"
WScript.Echo re.Replace("foo", "0") & " " & re.Replace("bar", "0")
WScript.Echo "-- flags"
re.Pattern = "hello"
WScript.Echo re.Test("HELLO there")
re.IgnoreCase = True
WScript.Echo re.Test("HELLO there")
re.Pattern = "^b."
re.IgnoreCase = False
WScript.Echo re.Execute("a1" & vbCrLf & "b2" & vbLf & "b3").Count
re.Multiline = True
WScript.Echo re.Execute("a1" & vbLf & "b2" & vbLf & "b3").Count
re.Pattern = "\d$"
WScript.Echo re.Execute("a1" & vbLf & "b2").Count
re.Multiline = False
WScript.Echo re.Execute("a1" & vbLf & "b2").Count
re.Pattern = "^\d{3}-\d{4}$"
WScript.Echo re.Test("555-1234") & " " & re.Test("555-12345") & " " & re.Test("x555-1234")
re.Pattern = "[a-c]+"
WScript.Echo re.Execute("xxabcabdd")(0).Value
Dim r2
Set r2 = CreateObject("VBScript.RegExp")
r2.Pattern = "a.c"
WScript.Echo TypeName(r2) & " " & r2.Test("abc") & " " & r2.Test("a" & vbLf & "c")
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
re.Pattern = "(abc"
WScript.Echo "assigning a bad pattern is no error: " & Err.Number
r = re.Test("abc") : Report "unclosed group"
re.Pattern = "[abc"
r = re.Test("abc") : Report "unclosed class"
re.Pattern = "*a"
r = re.Test("abc") : Report "leading quantifier"
re.Pattern = "[z-a]"
r = re.Test("abc") : Report "reversed range"
re.Pattern = "a)"
r = re.Test("abc") : Report "stray paren"
re.Pattern = "a"
Set ms = re.Execute("aa")
Set m = ms(2) : Report "Matches(2)"
r = ms(0).SubMatches(0) : Report "SubMatches(0) without groups"
