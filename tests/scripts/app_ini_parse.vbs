' INI file read into nested Dictionaries (text-compare sections), then FSO path helpers
Option Explicit
Dim fso, tmp, f, path, ts, line, sect, ini, k, p, re, m
Set fso = CreateObject("Scripting.FileSystemObject")
tmp = fso.BuildPath(fso.GetSpecialFolder(2), fso.GetTempName)
fso.CreateFolder tmp
path = fso.BuildPath(tmp, "app.ini")
Set ts = fso.CreateTextFile(path, True)
ts.WriteLine "; comment"
ts.WriteLine "[General]"
ts.WriteLine "Name = My App "
ts.WriteLine "Version=1.2"
ts.WriteLine ""
ts.WriteLine "[Paths]"
ts.WriteLine "Home=C:\Users\bob"
ts.WriteLine "name=dup"
ts.Close
Set ini = CreateObject("Scripting.Dictionary")
ini.CompareMode = vbTextCompare
Set ts = fso.OpenTextFile(path, 1)
Do Until ts.AtEndOfStream
  line = Trim(ts.ReadLine)
  If Len(line) = 0 Or Left(line, 1) = ";" Then
  ElseIf Left(line, 1) = "[" And Right(line, 1) = "]" Then
    sect = Mid(line, 2, Len(line) - 2)
    If Not ini.Exists(sect) Then ini.Add sect, CreateObject("Scripting.Dictionary")
  Else
    p = InStr(line, "=")
    If p > 0 Then ini(sect)(Trim(Left(line, p - 1))) = Trim(Mid(line, p + 1))
  End If
Loop
WScript.Echo "Line:", ts.Line
ts.Close
For Each sect In ini.Keys
  WScript.Echo "[" & sect & "]", ini(sect).Count
  For Each k In ini(sect)
    WScript.Echo "  " & k & "=" & ini(sect)(k) & "|"
  Next
Next
WScript.Echo ini.Exists("GENERAL"), ini("general").Exists("name")
WScript.Echo fso.GetBaseName(path), fso.GetExtensionName(path), fso.GetFileName(path)
WScript.Echo fso.GetParentFolderName(path) = tmp
WScript.Echo fso.FileExists(path), fso.GetFile(path).Size
fso.DeleteFolder tmp
WScript.Echo fso.FolderExists(tmp)
WScript.Echo fso.BuildPath("C:\a\", "b"), fso.BuildPath("C:\a", "\b")
WScript.Echo fso.GetBaseName("C:\x\file.tar.gz"), fso.GetExtensionName("noext"), "|" & fso.GetParentFolderName("C:\") & "|"
WScript.Echo fso.GetFileName("C:\x\y\"), fso.GetParentFolderName("C:\x\y\")
