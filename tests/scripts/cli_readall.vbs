' ReadAll after ReadLine: the rest of standard input with its line ends as
' they came; AtEndOfStream is then True.
Dim first, rest
first = WScript.StdIn.ReadLine
rest = WScript.StdIn.ReadAll
WScript.Echo "first [" & first & "]"
WScript.Echo "rest", Len(rest), "chars,", UBound(Split(rest, vbLf)) + 1, "pieces"
WScript.Echo Replace(Replace(rest, vbCr, "\r"), vbLf, "\n")
WScript.Echo "at end", WScript.StdIn.AtEndOfStream
