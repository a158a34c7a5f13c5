' WshShell.CreateShortcut: a new shortcut's defaults, every property kept
' through Save and a fresh CreateShortcut of the same file, Internet
' shortcuts in their Windows form, and the names and folders refused.
Dim sh, fso, base, s, t, u, x
Set sh = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
base = fso.BuildPath(fso.GetSpecialFolder(2), "pwlnk_" & fso.GetBaseName(fso.GetTempName))
fso.CreateFolder base
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub

Set s = sh.CreateShortcut(base & "\Backup Job.lnk")
WScript.Echo TypeName(s) & " " & (s.FullName = fso.GetAbsolutePathName(base & "/Backup Job.lnk"))
WScript.Echo "[" & s.TargetPath & "][" & s.Arguments & "][" & s.Description & "][" & s.Hotkey & "][" & s.IconLocation & "][" & s.WorkingDirectory & "] " & s.WindowStyle
WScript.Echo fso.FileExists(base & "\Backup Job.lnk")
s.TargetPath = "C:\Tools\backup.exe"
s.Arguments = "/full /log:""x y.txt"""
s.Description = "Nightly backup"
s.Hotkey = "CTRL+SHIFT+B"
s.IconLocation = "C:\Tools\backup.exe,2"
s.WorkingDirectory = "C:\Tools"
s.WindowStyle = 7
s.RelativePath = "..\Tools"
s.Save
WScript.Echo fso.FileExists(base & "\Backup Job.lnk")
Set t = sh.CreateShortcut(base & "\backup job.LNK")
WScript.Echo t.TargetPath & "|" & t.Arguments & "|" & t.Description & "|" & t.Hotkey & "|" & t.IconLocation & "|" & t.WorkingDirectory & "|" & t.WindowStyle
t.Arguments = ""
t.Save
WScript.Echo "[" & sh.CreateShortcut(base & "\Backup Job.lnk").Arguments & "]"

Set u = sh.CreateShortcut(base & "\site.URL")
WScript.Echo TypeName(u) & " [" & u.TargetPath & "]"
u.TargetPath = "https://example.org/a?b=1"
u.Save
WScript.Echo Replace(fso.OpenTextFile(base & "\site.url").ReadAll, vbCrLf, "|")
WScript.Echo sh.CreateShortcut(base & "\site.url").TargetPath

On Error Resume Next
x = s.RelativePath : Report "reading RelativePath"
s.FullName = "x.lnk" : Report "setting FullName"
x = u.Arguments : Report "Arguments of an Internet shortcut"
Set s = sh.CreateShortcut(base & "\notes.txt") : Report "a name without .lnk or .url"
Set s = sh.CreateShortcut(base & "\lnk") : Report "a name that is only lnk"
Set s = sh.CreateShortcut(base & "\nodir\x.lnk") : Report "a missing folder, created"
s.Save : Report "a missing folder, saved"
On Error GoTo 0
WScript.Echo CStr(sh.AppActivate("Untitled - Notepad"))
fso.DeleteFolder base, True
