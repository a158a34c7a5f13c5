' TextStream rules: what empty files and the end of a file give, which
' stream may read or write, how line ends split lines and move Line and
' Column, what Unicode files hold, and the open and create flags.
Dim fso, base, p, ts, f, x
Set fso = CreateObject("Scripting.FileSystemObject")
base = fso.BuildPath(fso.GetSpecialFolder(2), "pwts_" & fso.GetBaseName(fso.GetTempName))
fso.CreateFolder base
p = base & "\t.txt"

Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub

Function Shown(s)
    Shown = Replace(Replace(s, vbCr, "\r"), vbLf, "\n")
End Function

Sub Make(text)
    Dim t
    Set t = fso.CreateTextFile(p, True)
    t.Write text
    t.Close
End Sub

On Error Resume Next
WScript.Echo "-- an empty file"
Make ""
Set ts = fso.OpenTextFile(p)
WScript.Echo CStr(ts.AtEndOfStream) & " " & CStr(ts.AtEndOfLine) & " " & ts.Line & " " & ts.Column
x = ts.ReadAll : Report "ReadAll"
x = ts.ReadLine : Report "ReadLine"
x = ts.Read(1) : Report "Read"
ts.Skip 1 : Report "Skip"
ts.SkipLine : Report "SkipLine"
ts.Close

WScript.Echo "-- reading and writing modes"
Set ts = fso.OpenTextFile(p, 1)
ts.Write "x" : Report "Write on ForReading"
ts.WriteLine "x" : Report "WriteLine on ForReading"
ts.Close
Set ts = fso.OpenTextFile(p, 2)
x = ts.ReadLine : Report "ReadLine on ForWriting"
x = ts.AtEndOfStream : Report "AtEndOfStream on ForWriting"
ts.Close
Set ts = fso.OpenTextFile(p, 8)
x = ts.Read(1) : Report "Read on ForAppending"
ts.Close
Set ts = fso.OpenTextFile(p, 3) : Report "mode 3"

WScript.Echo "-- line ends"
Make "a" & vbCrLf & "b" & vbLf & "c" & vbCr & "d"
Set ts = fso.OpenTextFile(p)
Do Until ts.AtEndOfStream
    x = ts.Line & "," & ts.Column & " "
    WScript.Echo x & "[" & ts.ReadLine & "]"
Loop
ts.Close
Make "ab" & vbCrLf & "cd" & vbCrLf
Set ts = fso.OpenTextFile(p)
x = ts.Read(1)
WScript.Echo x & " " & ts.Line & "," & ts.Column & " " & CStr(ts.AtEndOfLine)
x = ts.Read(1)
WScript.Echo x & " " & ts.Line & "," & ts.Column & " " & CStr(ts.AtEndOfLine)
x = ts.Read(2)
WScript.Echo Shown(x) & " " & ts.Line & "," & ts.Column
WScript.Echo Shown(ts.Read(100)) & " " & CStr(ts.AtEndOfStream) & " " & ts.Line
x = ts.Read(-1) : Report "Read(-1)"
ts.Close
Set ts = fso.OpenTextFile(p)
ts.SkipLine
WScript.Echo ts.ReadLine & " " & CStr(ts.AtEndOfStream)
x = ts.ReadLine : Report "ReadLine past the last line"
ts.Close

WScript.Echo "-- what writing puts in the file"
Set ts = fso.CreateTextFile(p, True)
ts.WriteLine "one"
ts.WriteLine
ts.Write 12.5
ts.WriteBlankLines 2
WScript.Echo ts.Line & "," & ts.Column
ts.Write "tail"
WScript.Echo ts.Line & "," & ts.Column
ts.Close
WScript.Echo Shown(fso.OpenTextFile(p).ReadAll) & " " & fso.GetFile(p).Size

WScript.Echo "-- Unicode files"
Set ts = fso.CreateTextFile(p, True, True)
ts.Write "h" & ChrW(233)
ts.Close
WScript.Echo fso.GetFile(p).Size
Set ts = fso.OpenTextFile(p, 8, False, -1)
ts.WriteLine "!"
ts.Close
WScript.Echo fso.GetFile(p).Size
WScript.Echo Shown(fso.OpenTextFile(p, 1, False, -1).ReadAll)
WScript.Echo Shown(fso.OpenTextFile(p, 1, False, -2).ReadAll)
x = fso.OpenTextFile(p, 1, False, 0).ReadAll
WScript.Echo Len(x) & " " & AscW(Left(x, 1)) & " " & AscW(Mid(x, 2, 1))
Set ts = fso.OpenTextFile(p, 2, False, -1)
ts.Write "z"
ts.Close
WScript.Echo fso.GetFile(p).Size

WScript.Echo "-- open and create flags"
Set ts = fso.OpenTextFile(base & "\none.txt", 2) : Report "ForWriting, not created"
Set ts = fso.OpenTextFile(base & "\none.txt", 8) : Report "ForAppending, not created"
Set ts = fso.OpenTextFile(base & "\none.txt") : Report "ForReading, not created"
WScript.Echo fso.FileExists(base & "\none.txt")
Set ts = fso.OpenTextFile(base & "\none.txt", 1, True) : Report "ForReading, created"
WScript.Echo fso.FileExists(base & "\none.txt") & " " & CStr(ts.AtEndOfStream)
ts.Close
Set ts = fso.OpenTextFile(base & "\none.txt", 8, True)
ts.Write "A"
ts.Close
Set ts = fso.OpenTextFile(base & "\none.txt", 8, True)
ts.Write "B"
ts.Close
WScript.Echo fso.OpenTextFile(base & "\none.txt").ReadAll
Set ts = fso.CreateTextFile(base & "\none.txt")
ts.Close
WScript.Echo "overwritten by default: " & fso.GetFile(base & "\none.txt").Size
Set ts = fso.CreateTextFile(base & "\none.txt", False) : Report "CreateTextFile, no overwrite"
Set ts = fso.CreateTextFile(base & "\nodir\x.txt") : Report "CreateTextFile, missing folder"
Set ts = fso.OpenTextFile(base) : Report "OpenTextFile on a folder"

WScript.Echo "-- a read-only file"
Make "kept"
fso.GetFile(p).Attributes = 1
Set ts = fso.OpenTextFile(p, 2) : Report "ForWriting"
Set ts = fso.OpenTextFile(p, 8) : Report "ForAppending"
Set ts = fso.CreateTextFile(p, True) : Report "CreateTextFile, overwrite"
Set ts = fso.CreateTextFile(p, False) : Report "CreateTextFile, no overwrite"
WScript.Echo fso.OpenTextFile(p).ReadAll
fso.GetFile(p).Attributes = 0

WScript.Echo "-- File and Folder streams"
Set ts = fso.GetFile(p).OpenAsTextStream(8)
ts.Write "+1"
ts.Close
Set ts = fso.GetFile(p).OpenAsTextStream
WScript.Echo ts.ReadAll
ts.Close
Set ts = fso.GetFile(p).OpenAsTextStream(2, -1)
ts.Write "u"
ts.Close
WScript.Echo fso.GetFile(p).Size
Set ts = fso.GetFolder(base).CreateTextFile("inner.txt")
ts.WriteLine "inside"
ts.Close
WScript.Echo fso.OpenTextFile(base & "\inner.txt").ReadLine
Set ts = fso.GetFolder(base).CreateTextFile("inner.txt", False) : Report "Folder.CreateTextFile, no overwrite"
On Error GoTo 0
fso.DeleteFolder base, True
WScript.Echo fso.FolderExists(base)
