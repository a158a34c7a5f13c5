' Console streams: StdIn.ReadLine (lines of lang_stdio.in), StdOut.Write and
' WriteLine, StdErr.WriteLine.
Dim name, count, parts, i, total
name = WScript.StdIn.ReadLine
WScript.Echo "Hello, " & name & "!"
count = CInt(WScript.StdIn.ReadLine)
WScript.Echo "twice " & count * 2
parts = Split(WScript.StdIn.ReadLine, ",")
total = 0
For i = 0 To UBound(parts)
    total = total + CInt(parts(i))
Next
WScript.Echo UBound(parts) + 1 & " numbers, total " & total
WScript.Echo "[" & WScript.StdIn.ReadLine & "]"
WScript.StdOut.Write "no "
WScript.StdOut.Write "line end"
WScript.StdOut.WriteLine ""
WScript.StdOut.WriteLine "write line"
WScript.StdErr.WriteLine "error stream"
WScript.Echo "done"
