' Scripts that talk to the console through FileSystemObject.GetStandardStream
' instead of WScript.StdIn/StdOut: 0 is input, 1 output, 2 errors; each
' reads and writes the same streams the WScript members do.
Option Explicit
Dim fso, sin, sout, serr, line, total, n
Set fso = CreateObject("Scripting.FileSystemObject")
Set sin = fso.GetStandardStream(0)
Set sout = fso.GetStandardStream(1)
Set serr = fso.GetStandardStream(2, False)
WScript.Echo TypeName(sin), TypeName(sout), TypeName(serr)
Do While Not sin.AtEndOfStream
  line = Trim(sin.ReadLine)
  If IsNumeric(line) Then
    total = total + CDbl(line)
    n = n + 1
  Else
    serr.WriteLine "skipped line " & (sin.Line - 1) & ": [" & line & "]"
  End If
Loop
sout.Write "count " & n
sout.WriteLine ", sum " & total & ", mean " & total / n
WScript.StdOut.WriteLine "same stream: line " & sout.Line & ", column " & sout.Column
sout.WriteBlankLines 1
On Error Resume Next
sout.ReadLine
WScript.Echo "reading output: " & Err.Number & " " & Err.Description
Err.Clear
sin.WriteLine "x"
WScript.Echo "writing input: " & Err.Number & " " & Err.Description
Err.Clear
Set sout = fso.GetStandardStream(3)
WScript.Echo "stream 3: " & Err.Number & " " & Err.Description
Err.Clear
Set sout = fso.GetStandardStream()
WScript.Echo "no argument: " & Err.Number & " " & Err.Description
