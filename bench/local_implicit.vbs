' local_dim.vbs without its Dim: every local is implicit, bound when first assigned.
Sub Work
  s = 0 : t = "" : n = 0
  For i = 1 To 2000000
    s = s + i
    j = i Mod 7
    If j = 3 Then n = n + 1
  Next
  For i = 1 To 100000
    t = t & "x"
  Next
  WScript.Echo s, n, Len(t)
End Sub
Work
