' 200,000 string appends.
Dim s, i
s = ""
For i = 1 To 200000
  s = s & "x"
Next
WScript.Echo Len(s)
