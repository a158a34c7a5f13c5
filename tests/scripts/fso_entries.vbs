' Files and folders: copying, moving and deleting with wildcards and the
' overwrite flag, the error each refusal gives, File and Folder properties,
' the Files and SubFolders collections, and the File object's own Copy,
' Move, Delete and rename.
Dim fso, base, f, fo, x, i, ok, t
Set fso = CreateObject("Scripting.FileSystemObject")
base = fso.BuildPath(fso.GetSpecialFolder(2), "pwent_" & fso.GetBaseName(fso.GetTempName))

Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub

Sub Make(name, text)
    Dim t
    Set t = fso.CreateTextFile(base & "\" & name, True)
    t.Write text
    t.Close
End Sub

Function Names(coll)
    Dim e, s
    For Each e In coll
        s = s & " " & e.Name
    Next
    Names = Trim(s)
End Function

Set fo = fso.CreateFolder(base)
Make "a.txt", "aaa"
Make "b.TXT", "bb"
Make "c.log", "c"
fso.CreateFolder base & "\sub"
On Error Resume Next

WScript.Echo "-- CreateFolder"
fso.CreateFolder base & "\sub" : Report "an existing folder"
fso.CreateFolder base & "\a.txt" : Report "an existing file"
fso.CreateFolder base & "\x\y" : Report "a missing parent"

WScript.Echo "-- CopyFile"
fso.CopyFile base & "\*.txt", base & "\sub"
Report "wildcard into a folder"
WScript.Echo Names(fso.GetFolder(base & "\sub").Files)
fso.CopyFile base & "\*.zip", base & "\sub\" : Report "a wildcard matching nothing"
fso.CopyFile base & "\a.txt", base & "\sub\a.txt", False : Report "no overwrite"
fso.CopyFile base & "\c.log", base & "\sub\a.txt" : Report "overwrite by default"
WScript.Echo fso.GetFile(base & "\sub\a.txt").Size
fso.CopyFile base & "\a.txt", base & "\sub" : Report "onto a folder's name"
fso.CopyFile base & "\none.txt", base & "\sub\" : Report "a missing file"
fso.CopyFile base & "\a.txt", base & "\nodir\" : Report "into a missing folder"
fso.GetFile(base & "\sub\b.TXT").Attributes = 1
fso.CopyFile base & "\a.txt", base & "\sub\b.TXT" : Report "onto a read-only file"

WScript.Echo "-- MoveFile"
fso.MoveFile base & "\c.log", base & "\a.txt" : Report "onto an existing file"
fso.MoveFile base & "\none.txt", base & "\d.txt" : Report "a missing file"
fso.MoveFile base & "\c.log", base & "\d.log" : Report "a rename"
WScript.Echo fso.FileExists(base & "\c.log") & " " & fso.FileExists(base & "\d.log")
fso.MoveFile base & "\*.log", base & "\sub\" : Report "a wildcard into a folder"
WScript.Echo Names(fso.GetFolder(base & "\sub").Files)

WScript.Echo "-- DeleteFile"
fso.DeleteFile base & "\sub\b.txt" : Report "a read-only file"
fso.DeleteFile base & "\sub\b.txt", True : Report "a read-only file, forced"
fso.DeleteFile base & "\sub\*.zip" : Report "a wildcard matching nothing"
fso.DeleteFile base & "\sub\none.txt" : Report "a missing file"
fso.DeleteFile base & "\nodir\none.txt" : Report "in a missing folder"
fso.DeleteFile base & "\sub" : Report "a folder"
fso.DeleteFile base & "\sub\*" : Report "everything"
WScript.Echo fso.GetFolder(base & "\sub").Files.Count

WScript.Echo "-- folders"
fso.CreateFolder base & "\sub\deep"
Make "sub\deep\x.txt", "x"
fso.CopyFolder base & "\sub", base & "\copy" : Report "CopyFolder"
WScript.Echo fso.FileExists(base & "\copy\deep\x.txt")
fso.CopyFolder base & "\sub", base & "\sub\deep\inner" : Report "CopyFolder into itself"
fso.CopyFolder base & "\none", base & "\other" : Report "CopyFolder of a missing folder"
fso.MoveFolder base & "\copy", base & "\sub" : Report "MoveFolder onto an existing folder"
fso.MoveFolder base & "\copy", base & "\moved" : Report "MoveFolder"
WScript.Echo fso.FolderExists(base & "\copy") & " " & fso.FolderExists(base & "\moved\deep")
fso.DeleteFolder base & "\none" : Report "DeleteFolder of a missing folder"
fso.DeleteFolder base & "\m*" : Report "DeleteFolder with a wildcard"
WScript.Echo fso.FolderExists(base & "\moved")

WScript.Echo "-- File and Folder properties"
Set f = fso.GetFile(base & "\A.TXT")
WScript.Echo f.Name & "|" & f.Size & "|" & f.Type & "|" & f.Attributes & "|" & TypeName(f.DateLastModified) & "|" & (f.ParentFolder.Name = fso.GetFileName(base))
WScript.Echo (f.Path = f) & " " & (fso.GetFile(f.Path).Size = 3) & " " & fso.GetFile(base & "\b.TXT").Type
WScript.Echo TypeName(fo) & "|" & fo.Type & "|" & fo.Attributes & "|" & CStr(fo.IsRootFolder) & "|" & fo.Size
WScript.Echo fo.Files.Count & " " & Names(fo.Files) & " / " & fo.SubFolders.Count & " " & Names(fo.SubFolders)
WScript.Echo fo.Files("B.txt").Size & " " & fo.SubFolders("SUB").Name & " " & fo.Files.Item("a.txt").Name
x = fo.Files("none.txt").Name : Report "Files item, missing"
x = fo.SubFolders("none").Name : Report "SubFolders item, missing"
Set f = fso.GetFile(base & "\sub") : Report "GetFile on a folder"
Set f = fso.GetFolder(base & "\a.txt") : Report "GetFolder on a file"
Set f = fso.GetFile(base & "\none.txt") : Report "GetFile, missing"
Set f = fso.GetFolder(base & "\none") : Report "GetFolder, missing"

WScript.Echo "-- File methods"
Set f = fso.GetFile(base & "\a.txt")
f.Copy base & "\e.txt"
WScript.Echo fso.FileExists(base & "\e.txt")
f.Copy base & "\e.txt", False : Report "Copy, no overwrite"
f.Move base & "\sub\"
WScript.Echo f.Name & " " & fso.FileExists(base & "\a.txt") & " " & (f.Path = fso.GetFile(base & "\sub\a.txt").Path)
f.Name = "renamed.txt"
WScript.Echo f.Name & " " & fso.FileExists(base & "\sub\renamed.txt")
f.Name = "deep" : Report "rename onto a folder's name"
f.Delete
WScript.Echo fso.FileExists(base & "\sub\renamed.txt")

WScript.Echo "-- temporary names"
ok = True
For i = 1 To 20
    x = fso.GetTempName
    If Len(x) <> 12 Or Left(x, 3) <> "rad" Or Right(x, 4) <> ".tmp" Then ok = False
    For t = 4 To 8
        If InStr("0123456789ABCDEF", Mid(x, t, 1)) = 0 Then ok = False
    Next
Next
WScript.Echo ok
On Error GoTo 0
fso.DeleteFolder base, True
WScript.Echo fso.FolderExists(base)
