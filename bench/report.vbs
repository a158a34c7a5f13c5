' A 20,000-line report built with one & chain a line.
Dim s, i
s = ""
For i = 1 To 20000
  s = s & "mail user" & i & "@host" & i & ".com now; " & vbCrLf
Next
WScript.Echo Len(s)
