' args: --drive T=winpath_drives.tmp/t --drive u:=winpath_drives.tmp/u/
' Drive letters go through the drive map the runner was given: T: and U: are
' folders here; Q: is not mapped, so it is "Path not found" naming the drive,
' and nothing is written anywhere. Network paths are not reachable.
Dim fso, sh, home, d, ts, f, n, letters
Set fso = CreateObject("Scripting.FileSystemObject")
Set sh = CreateObject("WScript.Shell")
home = sh.CurrentDirectory
If fso.FolderExists("winpath_drives.tmp") Then fso.DeleteFolder "winpath_drives.tmp", True

Sub Check(label, value)
    WScript.Echo label & ": " & Replace(value, home & "/", "<here>/")
End Sub

Sub Try(label)
    If Err.Number = 0 Then
        WScript.Echo label & ": no error"
    Else
        WScript.Echo label & ": error " & Err.Number & " " & Err.Description
    End If
    Err.Clear
End Sub

Set d = fso.GetDrive("T:")
WScript.Echo d.Path & " " & d.DriveLetter & " ready=" & d.IsReady
fso.CreateFolder "winpath_drives.tmp"
fso.CreateFolder "winpath_drives.tmp\t"
fso.CreateFolder "winpath_drives.tmp\u"
WScript.Echo "ready=" & d.IsReady & " " & d.RootFolder.IsRootFolder & " " & (d.RootFolder.ParentFolder Is Nothing)
Check "T: root", d.RootFolder.Path
Check "U: root", fso.GetDrive("u").RootFolder.Path

WScript.Echo "-- files on a mapped drive"
fso.CreateFolder "T:\Temp"
Set ts = fso.CreateTextFile("T:\Temp\log.txt")
ts.WriteLine "on T"
ts.Close
WScript.Echo fso.FileExists("winpath_drives.tmp/t/Temp/log.txt") & " " & fso.FileExists("t:/Temp\log.txt") & _
    " " & fso.OpenTextFile("T:Temp\log.txt").ReadLine
Set f = fso.GetFile("T:\Temp\..\Temp\log.txt")
Check "File.Path", f.Path
WScript.Echo "Drive " & f.Drive.Path & ", parent " & fso.GetFile("T:\Temp\log.txt").ParentFolder.Name
fso.CopyFile "T:\Temp\*.txt", "U:\"
WScript.Echo "U: has " & fso.GetFolder("U:\").Files.Count & " file(s), on " & fso.GetFile("U:\log.txt").Drive.DriveLetter
sh.CurrentDirectory = "T:\Temp"
Check "CurrentDirectory", sh.CurrentDirectory
WScript.Echo "drive-relative: " & fso.OpenTextFile("T:log.txt").ReadLine & " " & fso.FileExists("log.txt")
sh.CurrentDirectory = home
WScript.Echo fso.GetAbsolutePathName("T:\Temp\..\x") & " " & fso.GetDriveName("T:\Temp")

WScript.Echo "-- Drives and DriveExists"
letters = ""
n = 0
For Each d In fso.Drives
    If d.DriveLetter <> "" Then
        letters = letters & d.Path & " "
    ElseIf n = 0 Then
        WScript.Echo "first mounted: " & d.Path & " " & d.IsReady
        n = 1
    End If
Next
WScript.Echo "mapped: " & letters & (fso.Drives.Count >= 3) & " " & fso.Drives("t").Path & " " & fso.Drives.Item("U:\").Path
WScript.Echo fso.DriveExists("T:") & " " & fso.DriveExists("t") & " " & fso.DriveExists("T:\Temp\none") & " " & _
    fso.DriveExists("Q:") & " " & fso.DriveExists("Q:\x") & " " & fso.DriveExists("/") & " " & fso.DriveExists("")

WScript.Echo "-- an unmapped drive"
On Error Resume Next
WScript.Echo fso.FileExists("Q:\Temp\log.txt") & " " & fso.FolderExists("Q:\Temp") & " " & fso.FileExists("\\server\share\x.txt")
Set ts = fso.CreateTextFile("Q:\Temp\log.txt")
Try "CreateTextFile"
Set ts = fso.OpenTextFile("q:\log.txt", 8, True)
Try "OpenTextFile for appending"
fso.CreateFolder "Q:\Temp"
Try "CreateFolder"
fso.CopyFile "T:\Temp\log.txt", "Q:\"
Try "CopyFile"
Set f = fso.GetFolder("Q:")
Try "GetFolder"
Set d = fso.GetDrive("Q:")
Try "GetDrive"
Set d = fso.Drives("Q")
Try "Drives(""Q"")"
sh.CurrentDirectory = "Q:\"
Try "CurrentDirectory"
Set f = GetObject("Q:\book.xls")
Try "GetObject"
Set ts = fso.OpenTextFile("\\server\share\x.txt")
Try "a network path"
fso.CreateFolder "T:\Temp"
Try "CreateFolder existing on T:"
On Error GoTo 0
WScript.Echo "nothing written here: " & (Not fso.FolderExists("Q:")) & " " & (Not fso.FolderExists("./Q:")) & _
    " " & (Not fso.FileExists("log.txt"))

fso.DeleteFolder "winpath_drives.tmp"
WScript.Echo "cleaned " & (Not fso.FolderExists("winpath_drives.tmp"))
