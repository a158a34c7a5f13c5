' TextStream write/append/read positions, Unicode file, folder listing, copy/move/wildcard delete
Option Explicit
Dim fso, tmp, ts, p, f, fld, s, n, names, i, j, t
Set fso = CreateObject("Scripting.FileSystemObject")
tmp = fso.BuildPath(fso.GetSpecialFolder(2), "appt_" & fso.GetTempName)
Set fld = fso.CreateFolder(tmp)
WScript.Echo TypeName(fld), fld.Files.Count, fld.SubFolders.Count, fld.Size
p = fso.BuildPath(tmp, "b.log")
Set ts = fso.OpenTextFile(p, 2, True)
ts.Write "alpha" & vbCrLf & "beta"
WScript.Echo ts.Line, ts.Column
ts.WriteBlankLines 2
ts.WriteLine "gamma"
ts.Close
Set ts = fso.OpenTextFile(p, 8)
ts.WriteLine "delta"
ts.Close
Set ts = fso.OpenTextFile(p)
WScript.Echo "[" & ts.Read(3) & "]", ts.Column
ts.SkipLine
WScript.Echo "[" & ts.ReadLine & "]", ts.Line
ts.Skip 0
Do Until ts.AtEndOfStream
  WScript.Echo ts.Line & ": [" & ts.ReadLine & "]"
Loop
On Error Resume Next
s = ts.ReadLine
WScript.Echo "eof:", Err.Number, Err.Description
Err.Clear
ts.Close
Set ts = fso.OpenTextFile(p, 1)
ts.Write "x"
WScript.Echo "write ro:", Err.Number, Err.Description
Err.Clear
ts.Close
Set ts = fso.OpenTextFile(p, 1)
s = ts.ReadAll
ts.Close
WScript.Echo Len(s), UBound(Split(s, vbCrLf)), fso.GetFile(p).Size
fso.CreateTextFile(fso.BuildPath(tmp, "a.txt")).Write "12345"
fso.CreateTextFile(fso.BuildPath(tmp, "C.TXT"), True, True).Write "uni"
fso.CreateFolder fso.BuildPath(tmp, "sub")
fso.CreateTextFile fso.BuildPath(tmp, "a.txt"), False
WScript.Echo "exists:", Err.Number, Err.Description
Err.Clear
fso.CreateFolder fso.BuildPath(tmp, "sub")
WScript.Echo "folder exists:", Err.Number, Err.Description
Err.Clear
On Error GoTo 0
Set ts = fso.OpenTextFile(fso.BuildPath(tmp, "C.TXT"), 1, False, -1)
WScript.Echo "uni: [" & ts.ReadAll & "]", fso.GetFile(fso.BuildPath(tmp, "C.TXT")).Size
ts.Close
n = 0
ReDim names(fld.Files.Count - 1)
For Each f In fld.Files
  names(n) = f.Name & " " & f.Size & " " & fso.GetExtensionName(f.Path) & " " & f.Type: n = n + 1
Next
For i = 0 To n - 2
  For j = i + 1 To n - 1
    If LCase(names(j)) < LCase(names(i)) Then t = names(i): names(i) = names(j): names(j) = t
  Next
Next
For i = 0 To n - 1: WScript.Echo names(i): Next
For Each f In fld.SubFolders: WScript.Echo "dir:", f.Name, f.Files.Count, f.ParentFolder.Name = fld.Name: Next
WScript.Echo fld.Size, fld.Files.Count, fld.Files("a.txt").Size, TypeName(fso.GetFile(p).DateLastModified), DateDiff("n", fso.GetFile(p).DateLastModified, Now) < 2
fso.CopyFile p, fso.BuildPath(tmp, "sub\")
fso.MoveFile fso.BuildPath(tmp, "a.txt"), fso.BuildPath(tmp, "sub\z.txt")
WScript.Echo fso.GetFolder(fso.BuildPath(tmp, "sub")).Files.Count, fso.FileExists(fso.BuildPath(tmp, "a.txt"))
fso.DeleteFile fso.BuildPath(tmp, "*.txt")
WScript.Echo fld.Files.Count
fso.DeleteFolder tmp, True
WScript.Echo fso.FolderExists(tmp)
