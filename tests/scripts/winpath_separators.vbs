' Backslash is a path separator for every object that takes a path: relative
' and absolute paths, . and .., doubled and mixed separators reach the same
' files as their / forms. Paths that come from the file system use /.
Dim fso, sh, base, abs, ts, f, fo, n, p, home
Set fso = CreateObject("Scripting.FileSystemObject")
Set sh = CreateObject("WScript.Shell")
base = "winpath_separators.tmp"
If fso.FolderExists(base) Then fso.DeleteFolder base, True
home = sh.CurrentDirectory
abs = home & "\" & base   ' a real / path with a Windows tail

Sub Check(label, value)
    WScript.Echo label & ": " & Replace(value, home & "/", "<here>/")
End Sub

Sub Try(label)
    If Err.Number <> 0 Then WScript.Echo label & ": error " & Err.Number & " " & Err.Description
    Err.Clear
End Sub

fso.CreateFolder base
fso.CreateFolder base & "\data"
fso.CreateFolder abs & "\data\deep\"
Set ts = fso.CreateTextFile(base & "\data\input.txt")
ts.WriteLine "line one"
ts.Close
Set ts = fso.OpenTextFile(".\" & base & "\data\deep\..\input.txt", 8)
ts.WriteLine "line two"
ts.Close

WScript.Echo "-- one file, many spellings"
For Each p In Array(base & "\data\input.txt", ".\" & base & "\data\input.txt", base & "\\data\\input.txt", _
        base & "\data/input.txt", base & "/data/input.txt", abs & "\data\input.txt", _
        base & "\data\deep\..\.\input.txt", base & "\data\deep\\..\\input.txt")
    WScript.Echo fso.FileExists(p) & " " & fso.GetFile(p).Size & " " & fso.OpenTextFile(p).ReadLine
Next
WScript.Echo fso.FolderExists(base & "\data\deep\") & " " & fso.FolderExists(base & "\data\input.txt") & _
    " " & fso.FileExists(base & "\data")
Check "File.Path", fso.GetFile(base & "\data\deep\..\input.txt").Path
Check "Folder.Path", fso.GetFolder(".\" & base & "\\data\").Path
Check "ParentFolder", fso.GetFile(abs & "\data\input.txt").ParentFolder.Path
Check "Absolute", fso.GetAbsolutePathName(base & "\data\deep\..")

WScript.Echo "-- copy, move and delete"
fso.CopyFile base & "\data\input.txt", base & "\data\deep\"
fso.CopyFile base & "\data\input.txt", base & "\copy.txt"
fso.MoveFile base & "\copy.txt", base & "\data\deep\moved.txt"
fso.CopyFolder base & "\data\deep", base & "\backup"
Set fo = fso.GetFolder(base & "\backup")
For Each f In fo.Files
    WScript.Echo "backup has " & f.Name
Next
fso.GetFile(base & "\backup\moved.txt").Copy base & "\data\"
fso.GetFile(base & "\data\moved.txt").Move base & "\data\deep\again.txt"
Set ts = fso.GetFolder(base & "\data").CreateTextFile("deep\made.txt")
ts.Write "made"
ts.Close
WScript.Echo fso.GetFolder(base & "\data").SubFolders.Item("deep").Files.Count & " " & _
    fso.GetFolder(base).SubFolders("data").Files("input.txt").Size
fso.DeleteFile base & "\data\deep\*.txt"
fso.DeleteFolder base & "\backup"
WScript.Echo fso.GetFolder(base & "\data\deep").Files.Count & " " & fso.FolderExists(base & "/backup")

WScript.Echo "-- the script's own path is a real / path, and \ joins to it"
WScript.Echo (InStr(WScript.ScriptFullName, "\") = 0) & " " & (Left(WScript.ScriptFullName, 1) = "/") & " " & _
    fso.FileExists(fso.GetParentFolderName(WScript.ScriptFullName) & "\" & WScript.ScriptName) & " " & _
    fso.FolderExists(fso.GetParentFolderName(WScript.ScriptFullName) & "\" & base & "\data\deep\..")

WScript.Echo "-- WScript.Shell"
sh.CurrentDirectory = base & "\data\deep"
Check "in deep", sh.CurrentDirectory
sh.CurrentDirectory = "..\..\"
Check "up two", sh.CurrentDirectory
WScript.Echo fso.FileExists("data\input.txt") & " " & (fso.GetParentFolderName(fso.GetFile("data\input.txt").Path) = fso.GetAbsolutePathName("data"))
Set ts = fso.CreateTextFile("tool.sh")
ts.WriteLine "echo ran in $(basename ""$PWD"") with $1"
ts.Close
sh.Run "chmod +x tool.sh", 0, True
WScript.Echo sh.Exec(".\tool.sh ""an argument""").StdOut.ReadLine
sh.CurrentDirectory = "data"
WScript.Echo sh.Exec("..\tool.sh x").StdOut.ReadLine
WScript.Echo sh.Run("..\tool.sh quiet > ran.txt", 0, True) & " " & fso.OpenTextFile("ran.txt").ReadLine
sh.CurrentDirectory = home

WScript.Echo "-- GetObject of a file path"
On Error Resume Next
Set f = GetObject(base & "\data\input.txt")
Try "existing file, no class"
Set f = GetObject(base & "\data\none.txt")
Try "missing file"
Set f = GetObject(base & "\data\input.txt", "Scripting.Dictionary")
Try "file with a class"
WScript.Echo TypeName(f)

WScript.Echo "-- errors keep their numbers"
Set f = fso.GetFile(base & "\data\none.txt")
Try "GetFile missing"
Set ts = fso.OpenTextFile(base & "\nodir\x.txt", 2, True)
Try "OpenTextFile in a missing folder"
sh.CurrentDirectory = base & "\nodir"
Try "CurrentDirectory missing"
fso.CreateFolder base & "\data\"
Try "CreateFolder existing"
fso.GetFile(base & "\data\input.txt").Name = "a\b.txt"
Try "Name with a backslash"
On Error GoTo 0

fso.DeleteFolder base
WScript.Echo "cleaned " & (Not fso.FolderExists(base))
