' Replace on a 10 MB string.
Dim s, r
s = String(10000000, "a")
s = Replace(s, "aaaa", "abca")
r = Replace(s, "bc", "XYZ")
WScript.Echo Len(r)
