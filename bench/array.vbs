' Fill and sum an array of 1,000,000 elements.
Dim a(), i, total
ReDim a(999999)
For i = 0 To 999999
  a(i) = i
Next
total = 0
For i = 0 To 999999
  total = total + a(i)
Next
WScript.Echo total
