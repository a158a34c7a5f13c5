' Lines of standard input end at CR, LF or CR LF, and Line counts each once.
Dim n
Do Until WScript.StdIn.AtEndOfStream
    n = WScript.StdIn.Line
    WScript.Echo n, "[" & WScript.StdIn.ReadLine & "]"
Loop
WScript.Echo "lines", WScript.StdIn.Line
