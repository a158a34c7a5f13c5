' String building: o.p = o.p & "abcdefghij" on a class field, repeated N times (bench/run.sh also runs it with N/4).
Const N = 120000
Class Holder : Public p : End Class
Dim o, i : Set o = New Holder : o.p = ""
For i = 1 To N
  o.p = o.p & "abcdefghij"
Next
WScript.Echo Len(o.p)
