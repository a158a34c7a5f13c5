' StdIn as a TextStream over standard input (cli_stdin.in): characters,
' lines (LF or CR LF), Line and Column, skipping, and reading to the end.
Dim i, s, n
Set i = WScript.StdIn
WScript.Echo "start", i.Line, i.Column, i.AtEndOfStream, i.AtEndOfLine
s = i.Read(3)
WScript.Echo "[" & s & "]", i.Line, i.Column
s = i.ReadLine
WScript.Echo "[" & s & "]", i.Line, i.Column
WScript.Echo "crlf [" & i.ReadLine & "]", i.Line
i.Skip 2
WScript.Echo "after Skip 2", i.Column, "[" & i.Read(2) & "]", i.Column
WScript.Echo "at end of line", i.AtEndOfLine
i.SkipLine
WScript.Echo "empty line [" & i.ReadLine & "]", i.Line
WScript.Echo "read across lines [" & Replace(i.Read(9), vbLf, "\n") & "]", i.Line, i.Column
WScript.Echo "unicode [" & i.ReadLine & "]", Len("äöü€")
s = i.Read(0)
WScript.Echo "Read(0) [" & s & "]"
n = 0
Do Until i.AtEndOfStream
    s = i.ReadLine
    n = n + 1
    WScript.Echo n, "[" & s & "]", i.Line
Loop
WScript.Echo "at end", i.AtEndOfStream, i.AtEndOfLine, i.Line
On Error Resume Next
s = i.ReadLine
WScript.Echo "ReadLine at end", Err.Number, Err.Description : Err.Clear
s = i.Read(1)
WScript.Echo "Read at end", Err.Number : Err.Clear
s = i.ReadAll
WScript.Echo "ReadAll at end", Err.Number : Err.Clear
i.SkipLine
WScript.Echo "SkipLine at end", Err.Number : Err.Clear
s = i.Read(0)
WScript.Echo "Read(0) at end", Err.Number : Err.Clear
s = i.Read(-1)
WScript.Echo "Read(-1)", Err.Number : Err.Clear
i.Write "x"
WScript.Echo "Write to StdIn", Err.Number, Err.Description : Err.Clear
s = WScript.StdOut.ReadLine
WScript.Echo "ReadLine from StdOut", Err.Number : Err.Clear
s = WScript.StdErr.AtEndOfStream
WScript.Echo "AtEndOfStream of StdErr", Err.Number : Err.Clear
i.Line = 3
WScript.Echo "assign Line", Err.Number : Err.Clear
i.Close
s = i.AtEndOfStream
WScript.Echo "after Close", Err.Number : Err.Clear
WScript.Echo TypeName(i), TypeName(WScript.StdOut), WScript.StdIn Is WScript.StdIn
