' A global RegExp replace over 1 MB of text.
Dim s, re, r
s = String(60000, "x")
s = Replace(s, "x", "word 12345 text, ")
Set re = New RegExp
re.Global = True
re.Pattern = "(\d+)"
r = re.Replace(s, "<$1>")
WScript.Echo Len(s) & " " & Len(r)
