' standard input read by count, line and skip; standard streams used the wrong way round; exit code from Quit
Dim si, c, s, vowels, n, i, ch
Set si = WScript.StdIn
WScript.Echo si.Line, si.Column
s = si.Read(4)
WScript.Echo "[" & s & "]", si.Line, si.Column
si.SkipLine
WScript.Echo si.ReadLine, si.Line
si.Skip 2
WScript.Echo si.Read(1), si.Column
s = si.ReadAll
WScript.Echo Len(s), si.AtEndOfStream, si.AtEndOfLine
n = 0: vowels = 0
For i = 1 To Len(s)
  ch = LCase(Mid(s, i, 1))
  If InStr("aeiou", ch) > 0 Then vowels = vowels + 1
  If ch = vbLf Then n = n + 1
Next
WScript.Echo "vowels", vowels, "lf", n, "cr", Len(s) - Len(Replace(s, vbCr, ""))
WScript.StdOut.Write "a"
WScript.StdOut.Write "b" & vbCrLf
WScript.StdOut.WriteBlankLines 1
WScript.StdOut.WriteLine "end"
On Error Resume Next
s = si.ReadLine
WScript.Echo Err.Number, Err.Description
Err.Clear
WScript.StdIn.Write "x"
WScript.Echo Err.Number, Err.Description
Err.Clear
s = WScript.StdOut.ReadLine
WScript.Echo Err.Number, Err.Description
WScript.Quit 3
