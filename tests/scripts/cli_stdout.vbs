' StdOut and StdErr as TextStreams: Write, WriteLine, WriteBlankLines, and
' each stream's own Line and Column.
Dim o, e
Set o = WScript.StdOut
Set e = WScript.StdErr
WScript.Echo "start", o.Line, o.Column, e.Line, e.Column
o.Write "ab" : o.WriteLine o.Column
o.Write "x" : o.Write 12 : o.Write True : o.Write Null : o.WriteLine "|" & o.Column
WScript.Echo "after", o.Line, o.Column
o.WriteBlankLines 2
o.WriteBlankLines 0
o.WriteLine "line " & o.Line
o.Write "a" & vbCrLf & "bc" & vbLf & "def"
o.WriteLine " col " & o.Column & " line " & o.Line
e.Write "err"
e.WriteLine " " & e.Column & " " & e.Line
e.WriteBlankLines 1
e.WriteLine "err line " & e.Line & ", out line " & o.Line
On Error Resume Next
o.WriteBlankLines -1
WScript.Echo "WriteBlankLines -1", Err.Number : Err.Clear
o.Write
WScript.Echo "Write()", Err.Number : Err.Clear
o.WriteLine "a", "b"
WScript.Echo "WriteLine two", Err.Number : Err.Clear
o.Write Array(1)
WScript.Echo "Write array", Err.Number : Err.Clear
x = o.Read(1)
WScript.Echo "Read from StdOut", Err.Number : Err.Clear
e.Close
e.WriteLine "not written"
WScript.Echo "write after Close", Err.Number : Err.Clear
WScript.Echo "Echo still writes"
