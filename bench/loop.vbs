' 10,000,000 iterations of integer and floating arithmetic.
Dim i, s
s = 0
For i = 1 To 10000000
  s = s + i * 2
Next
WScript.Echo s
