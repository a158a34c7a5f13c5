' Names are matched as Windows matches them: when a path does not exist as
' written, each folder and file is looked up without regard to case. Two
' names that differ only in case are an error naming both, never a guess.
' New files and folders keep the name as the script wrote it.
Dim fso, sh, base, ts, f, names, p
Set fso = CreateObject("Scripting.FileSystemObject")
Set sh = CreateObject("WScript.Shell")
base = "winpath_case.tmp"
If fso.FolderExists(base) Then fso.DeleteFolder base, True

Sub Try(label)
    If Err.Number = 0 Then
        WScript.Echo label & ": no error"
    Else
        WScript.Echo label & ": error " & Err.Number & " " & Replace(Err.Description, sh.CurrentDirectory & "/", "")
    End If
    Err.Clear
End Sub

Function Listing(folder)
    Dim item, s
    For Each item In fso.GetFolder(folder).SubFolders
        s = s & item.Name & "/ "
    Next
    For Each item In fso.GetFolder(folder).Files
        s = s & item.Name & " "
    Next
    Listing = s
End Function

fso.CreateFolder base
fso.CreateFolder base & "\data"
Set ts = fso.CreateTextFile(base & "\data\input.txt")
ts.WriteLine "found"
ts.Close

WScript.Echo "-- folder by folder"
For Each p In Array(base & "\Data\Input.TXT", base & "\DATA\input.txt", UCase(base) & "\data\INPUT.txt", _
        base & "/dAtA/./iNpUt.TxT", base & "\data\..\DATA\Input.txt")
    WScript.Echo fso.FileExists(p) & " " & fso.OpenTextFile(p).ReadLine & " " & fso.GetFile(p).Name
Next
WScript.Echo fso.FolderExists(base & "\DATA") & " " & fso.GetFolder(base & "\DATA").Name & " " & _
    fso.FileExists(base & "\data\input.txt2") & " " & fso.FileExists(base & "\Nope\input.txt")
WScript.Echo fso.GetFolder(base).SubFolders("DATA").Files("INPUT.TXT").Name
fso.CopyFile base & "\DATA\INPUT.TXT", base & "\Data\Copy.Txt"
sh.CurrentDirectory = base & "\DATA"
WScript.Echo "cd: " & fso.GetFolder(".").Name
sh.CurrentDirectory = "..\.."

WScript.Echo "-- new names are kept as written"
fso.CreateFolder base & "\DATA\New Folder"
Set ts = fso.CreateTextFile(base & "\Data\New Folder\ReadMe.TXT")
ts.Close
Set ts = fso.OpenTextFile(base & "\data\Log.Txt", 8, True)
ts.WriteLine "appended"
ts.Close
WScript.Echo Listing(base & "\data")
WScript.Echo Listing(base & "\data\new folder")
fso.GetFile(base & "\data\log.txt").Name = "LOG.txt"
WScript.Echo Listing(base & "\data")
Set ts = fso.CreateTextFile(base & "\DATA\COPY.TXT", True)
ts.WriteLine "overwritten, not doubled"
ts.Close
WScript.Echo Listing(base & "\data") & fso.OpenTextFile(base & "\data\Copy.Txt").ReadLine

WScript.Echo "-- two names differing only in case"
Set ts = fso.CreateTextFile(base & "\data\Dup.txt")
ts.WriteLine "Dup"
ts.Close
sh.Run "cd " & base & "/data && echo DUP > DUP.txt && mkdir Sub sub && echo in > sub/x.txt", 0, True
WScript.Echo Listing(base & "\data")
WScript.Echo fso.OpenTextFile(base & "\data\Dup.txt").ReadLine & " " & fso.OpenTextFile(base & "\DATA\DUP.txt").ReadLine
On Error Resume Next
Set ts = fso.OpenTextFile(base & "\data\dup.txt")
Try "OpenTextFile dup.txt"
WScript.Echo fso.FileExists(base & "\data\DuP.TXT")
Try "FileExists DuP.TXT"
Set f = fso.GetFile(base & "\data\SUB\x.txt")
Try "GetFile SUB\x.txt"
fso.DeleteFile base & "\data\dup.txt"
Try "DeleteFile dup.txt"
WScript.Echo fso.GetFile(base & "\data\sub\x.txt").Size
Try "GetFile sub\x.txt (as written)"
On Error GoTo 0
fso.DeleteFile base & "\data\d*.TXT"
WScript.Echo Listing(base & "\data")

fso.DeleteFolder base
WScript.Echo "cleaned " & (Not fso.FolderExists(base))
