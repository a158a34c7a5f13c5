' String building: a(0) = a(0) & "abcdefghij", repeated N times (bench/run.sh also runs it with N/4).
Const N = 120000
Dim a(0), i : a(0) = ""
For i = 1 To N
  a(0) = a(0) & "abcdefghij"
Next
WScript.Echo Len(a(0))
