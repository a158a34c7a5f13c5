' Parsing text the way admin scripts do: validating e-mail addresses and
' pulling dates out with RegExp (Execute, SubMatches, Replace with $n),
' splitting CSV lines into fields, and a small Eval-based calculator.
Dim re, e, ms, m, csv, lines, hdr, f, i, j, ex, x, total

Set re = New RegExp
re.Pattern = "^[\w.+-]+@[\w-]+\.[\w.]+$"
For Each e In Array("john@example.com", "bad@", "a.b+c@d-e.co.uk", "no spaces@x.com", "")
  WScript.Echo "[" & e & "] valid: " & re.Test(e)
Next

re.Pattern = "(\d{1,2})/(\d{1,2})/(\d{4})"
re.Global = True
Set ms = re.Execute("Dates: 1/15/2024 and 12/3/1999, not 99/99.")
WScript.Echo ms.Count & " matches"
For Each m In ms
  WScript.Echo m.Value, m.FirstIndex, m.Length, m.SubMatches(0), m.SubMatches(2), m.SubMatches.Count
Next
WScript.Echo re.Replace("from 1/15/2024 to 2/1/2024", "$3-$1-$2"), ms(1), ms.Item(0).Value
re.Global = False
WScript.Echo re.Replace("from 1/15/2024 to 2/1/2024", "<$&>"), re.Execute("none here").Count

re.Global = True
re.Pattern = "\s+"
WScript.Echo "[" & re.Replace("  a   b  c ", " ") & "]"
re.IgnoreCase = True
re.Pattern = "hello"
WScript.Echo re.Test("Say HELLO"), re.Replace("Hello hello HeLLo", "bye")
re.Pattern = "(\w+)=(\d+)"
total = 0
For Each m In re.Execute("a=1; bb=22; ccc=333; bad=x")
  total = total + CLng(m.SubMatches(1))
  WScript.Echo m.SubMatches(0) & " -> " & m.SubMatches(1)
Next
WScript.Echo "sum " & total
re.Pattern = "(a)|(b)"
Set ms = re.Execute("b")
WScript.Echo "[" & ms(0).SubMatches(0) & "]", IsEmpty(ms(0).SubMatches(0)), ms(0).SubMatches(1)

csv = "name,age,city" & vbCrLf & "Ann,34,Paris" & vbCrLf & "Bob,,Rome" & vbCrLf & "Cy,7,"
lines = Split(csv, vbCrLf)
hdr = Split(lines(0), ",")
For i = 1 To UBound(lines)
  f = Split(lines(i), ",")
  x = ""
  For j = 0 To UBound(f)
    x = x & hdr(j) & "=" & f(j) & "(" & Len(f(j)) & ") "
  Next
  WScript.Echo RTrim(x)
Next
WScript.Echo UBound(Split("")), UBound(Split("a,b,,", ",")), Join(Split("a b  c"), "|"), UBound(Array()), "[" & Join(Array()) & "]"
WScript.Echo Join(Split("a-b-c-d", "-", 2), "|"), Join(Split("AxBXc", "x", -1, vbTextCompare), "|"), Join(Split("AxBXc", "x"), "|")
WScript.Echo Replace("aAaA", "a", "b", 1, -1, vbTextCompare), Replace("hello", "l", "L", 4), Replace("abc", "", "x"), Replace("a.b.c", ".", "", 1, 1)
WScript.Echo Join(Filter(Array("apple", "banana", "Apricot"), "ap"), "|"), Join(Filter(Array("apple", "banana", "Apricot"), "ap", False), "|"), Join(Filter(Array("apple", "banana", "Apricot"), "ap", True, vbTextCompare), "|")

For Each ex In Array("1+2*3", "(1+2)*3", "2^10", "10/4", "10\4", "7 mod 3", "1=1", "Len(""abc"")", "Sqr(16)", "UCase(""x"") & 1")
  WScript.Echo ex & " = " & Eval(ex)
Next
x = 5
Execute "x = x * 2"
WScript.Echo x, Eval("x > 9"), Eval("x = 10")
ExecuteGlobal "Function Sq(n) : Sq = n * n : End Function"
WScript.Echo Sq(7), Eval("Sq(3) + 1")
On Error Resume Next
x = Eval("1 +")
WScript.Echo "bad expression: " & Err.Number & " " & Err.Description
Err.Clear
x = Eval("1/0")
WScript.Echo "1/0: " & Err.Number & " " & Err.Description
