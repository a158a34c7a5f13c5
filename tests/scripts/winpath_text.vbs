' Path functions are text functions: both separators, drive letters and
' network names split as Windows splits them, and no file system is asked
' (Q: is not mapped, and still splits).
Dim fso, p
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Show(p)
    WScript.Echo "[" & p & "] drive=" & fso.GetDriveName(p) & " parent=" & fso.GetParentFolderName(p) & _
        " file=" & fso.GetFileName(p) & " base=" & fso.GetBaseName(p) & " ext=" & fso.GetExtensionName(p)
End Sub

For Each p In Array("C:\x\y.txt", "C:\x", "C:\", "C:", "c:report.txt", "Q:\Logs\app.2024.log", _
        "C:/mixed\sep/a.b", "\\server\share\dir\f.log", "\\server\share\", "\\server\share", _
        "data\input.txt", ".\data\input.txt", "..\x", "a\\b", "a\b/c", "a\b\", "\rooted.txt", _
        "/usr/lib/x.so", "/", "name")
    Show p
Next

WScript.Echo "-- dots"
For Each p In Array(".desktop", "dir\.desktop", "a.", "a..b", "a.b.", "..", ".", "x\.git\", "archive.tar.gz")
    WScript.Echo "[" & p & "] base=" & fso.GetBaseName(p) & " ext=" & fso.GetExtensionName(p) & " file=" & fso.GetFileName(p)
Next

WScript.Echo "-- BuildPath keeps the separator it is given"
WScript.Echo fso.BuildPath("C:\x", "y")
WScript.Echo fso.BuildPath("C:\x\", "y")
WScript.Echo fso.BuildPath("C:\x\", "\y")
WScript.Echo fso.BuildPath("C:", "y")
WScript.Echo fso.BuildPath("\\server\share", "f.txt")
WScript.Echo fso.BuildPath("logs", "today.log")
WScript.Echo fso.BuildPath("logs", "2024\today.log")
WScript.Echo fso.BuildPath("/var/log", "today.log")
WScript.Echo fso.BuildPath("/var/log/", "/today.log")
WScript.Echo fso.BuildPath("", "x\y")

WScript.Echo "-- GetAbsolutePathName of drive forms stays in Windows form"
WScript.Echo fso.GetAbsolutePathName("C:\Temp\..\Logs\.\a.txt")
WScript.Echo fso.GetAbsolutePathName("c:/x//y/")
WScript.Echo fso.GetAbsolutePathName("Q:\..\..")
WScript.Echo fso.GetAbsolutePathName("\\srv\share\a\..\b")
WScript.Echo fso.GetAbsolutePathName("sub\..\x\y.txt") = fso.GetAbsolutePathName("x/y.txt")
WScript.Echo InStr(fso.GetAbsolutePathName("x\y.txt"), "\")
