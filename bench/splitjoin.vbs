' Split and Join of 1,000,000 items.
Dim s, a, t
s = String(999999, ",")
a = Split(s, ",")
t = Join(a, ";")
WScript.Echo UBound(a) + 1 & " " & Len(t)
