' Scripting.FileSystemObject in a temporary folder of its own: text files
' written and read back, File and Folder objects, For Each over Files and
' SubFolders, copy, move and delete, path functions, and the error numbers.
Dim fso, base, p, ts, f, fo, sub1, n, line
Set fso = CreateObject("Scripting.FileSystemObject")
base = fso.BuildPath(fso.GetSpecialFolder(2), "pwtest_" & fso.GetBaseName(fso.GetTempName))
WScript.Echo fso.FolderExists(base)
Set fo = fso.CreateFolder(base)
WScript.Echo fso.FolderExists(base) & " " & TypeName(fo) & " " & (fo.Path = base)
p = fso.BuildPath(base, "a.txt")
Set ts = fso.CreateTextFile(p)
ts.WriteLine "first"
ts.Write "sec"
ts.Write "ond"
WScript.Echo "line " & ts.Line & " column " & ts.Column
ts.WriteBlankLines 1
ts.WriteLine "third"
ts.Close
Set f = fso.GetFile(p)
WScript.Echo fso.FileExists(p) & " " & TypeName(f) & " " & f.Name & " " & f.Size
WScript.Echo "-- reading"
Set ts = fso.OpenTextFile(p)
Do Until ts.AtEndOfStream
    n = ts.Line
    line = ts.ReadLine
    WScript.Echo n & ": " & line
Loop
ts.Close
Set ts = fso.OpenTextFile(p, 1)
WScript.Echo ts.Read(3) & "|" & ts.Column & "|" & ts.AtEndOfLine
ts.SkipLine
WScript.Echo ts.ReadLine & "|" & ts.Line
ts.Skip 2
WScript.Echo ts.ReadAll = ("ird" & vbCrLf)
WScript.Echo ts.AtEndOfStream
ts.Close
Set ts = fso.OpenTextFile(p, 8)
ts.Write "appended"
ts.Close
WScript.Echo Len(fso.OpenTextFile(p).ReadAll) & " " & fso.GetFile(p).Size
Set ts = fso.OpenTextFile(fso.BuildPath(base, "new.txt"), 2, True)
ts.WriteLine "made by OpenTextFile"
ts.Close
WScript.Echo fso.OpenTextFile(fso.BuildPath(base, "new.txt")).ReadLine
WScript.Echo "-- folders"
Set sub1 = fso.CreateFolder(fso.BuildPath(base, "sub"))
fso.CopyFile p, fso.BuildPath(base, "sub") & "/"
fso.CopyFile p, fso.BuildPath(base, "b.txt")
fso.MoveFile fso.BuildPath(base, "new.txt"), fso.BuildPath(base, "c.log")
Set fo = fso.GetFolder(base)
WScript.Echo fo.Files.Count & " " & fo.SubFolders.Count & " " & sub1.Files.Count
Dim names
names = ""
For Each f In fo.Files
    names = names & " " & f.Name
Next
WScript.Echo SortWords(Trim(names))
For Each f In fo.SubFolders
    WScript.Echo "folder " & f.Name & " " & f.Files.Count & " " & (f.ParentFolder.Path = base)
Next
WScript.Echo fo.Files("b.txt").Size = fso.GetFile(p).Size
fso.CopyFolder fso.BuildPath(base, "sub"), fso.BuildPath(base, "sub2")
WScript.Echo fso.FileExists(fso.BuildPath(base, "sub2/a.txt"))
fso.MoveFolder fso.BuildPath(base, "sub2"), fso.BuildPath(base, "sub3")
WScript.Echo fso.FolderExists(fso.BuildPath(base, "sub2")) & " " & fso.FolderExists(fso.BuildPath(base, "sub3"))
fso.DeleteFile fso.BuildPath(base, "*.txt")
WScript.Echo fso.FileExists(p) & " " & fso.GetFolder(base).Files.Count
WScript.Echo "-- paths"
WScript.Echo fso.GetFileName("/x/y/report.final.txt") & " " & fso.GetBaseName("/x/y/report.final.txt") & " " & fso.GetExtensionName("/x/y/report.final.txt")
WScript.Echo fso.GetParentFolderName("/x/y/report.txt") & " [" & fso.GetExtensionName("noext") & "]"
WScript.Echo fso.BuildPath("/x", "y") & " " & fso.BuildPath("/x/", "y")
WScript.Echo fso.GetAbsolutePathName(base & "/sub/../sub") = fso.BuildPath(base, "sub")
WScript.Echo Left(fso.GetTempName, 3) & " " & Len(fso.GetTempName) & " " & fso.GetExtensionName(fso.GetTempName)
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
Set f = fso.GetFile(fso.BuildPath(base, "missing.txt")) : Report "GetFile missing"
Set ts = fso.OpenTextFile(fso.BuildPath(base, "missing.txt")) : Report "OpenTextFile missing"
Set ts = fso.OpenTextFile(fso.BuildPath(base, "nodir/x.txt"), 2, True) : Report "OpenTextFile in a missing folder"
Set fo = fso.GetFolder(fso.BuildPath(base, "nodir")) : Report "GetFolder missing"
fso.CreateFolder fso.BuildPath(base, "sub") : Report "CreateFolder existing"
Set ts = fso.CreateTextFile(fso.BuildPath(base, "c.log"), False) : Report "CreateTextFile without overwrite"
fso.DeleteFile fso.BuildPath(base, "missing.txt") : Report "DeleteFile missing"
fso.DeleteFolder fso.BuildPath(base, "nodir") : Report "DeleteFolder missing"
Set ts = fso.OpenTextFile(fso.BuildPath(base, "c.log"))
line = ts.ReadLine
line = ts.ReadLine : Report "ReadLine past the end"
ts.Write "x" : Report "Write to a reading stream"
ts.Close
Set ts = fso.OpenTextFile(fso.BuildPath(base, "c.log"), 5) : Report "OpenTextFile mode 5"
On Error GoTo 0
fso.DeleteFolder base
WScript.Echo fso.FolderExists(base)

Function SortWords(s)
    Dim a, i, j, t
    a = Split(s, " ")
    For i = 0 To UBound(a) - 1
        For j = i + 1 To UBound(a)
            If a(j) < a(i) Then t = a(i) : a(i) = a(j) : a(j) = t
        Next
    Next
    SortWords = Join(a, " ")
End Function
