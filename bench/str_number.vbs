' String building: s = s & i & ",", repeated N times (bench/run.sh also runs it with N/4).
Const N = 120000
Dim s, i : s = ""
For i = 1 To N
  s = s & i & ","
Next
WScript.Echo Len(s)
