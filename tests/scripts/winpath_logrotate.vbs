' A log-rotation script written for Windows (winpath_rotate\rotate.vbs) runs
' unchanged: it reads logs\*.log beside itself, appends them to
' archive\YYYY-MM-DD.txt and deletes archives older than 30 days.
Dim fso, sh, base, stamp, ts, run, item, s
Set fso = CreateObject("Scripting.FileSystemObject")
Set sh = CreateObject("WScript.Shell")
base = "winpath_logrotate.tmp"
If fso.FolderExists(base) Then fso.DeleteFolder base, True
stamp = Year(Date) & "-" & Right("0" & Month(Date), 2) & "-" & Right("0" & Day(Date), 2)

Sub Write(path, text)
    Dim t
    Set t = fso.CreateTextFile(path)
    t.Write text
    t.Close
End Sub

Function Listing(folder)
    Dim f, s
    For Each f In fso.GetFolder(folder).Files
        s = s & Replace(f.Name, stamp, "<today>") & " "
    Next
    Listing = "[" & s & "]"
End Function

Sub Rotate()
    Dim ex
    Set ex = sh.Exec("""" & WScript.FullName & """ """ & fso.GetAbsolutePathName(base & "\rotate.vbs") & """")
    Do While ex.Status = 0
        WScript.Sleep 20
    Loop
    WScript.Echo Replace(ex.StdOut.ReadAll & ex.StdErr.ReadAll, stamp, "<today>") & "exit " & ex.ExitCode
End Sub

fso.CreateFolder base
fso.CreateFolder base & "\logs"
fso.CreateFolder base & "\archive"
fso.CopyFile "winpath_rotate\rotate.vbs", base & "\"
Write base & "\logs\app.log", "app started" & vbCrLf & "app stopped" & vbCrLf
Write base & "\logs\Errors.LOG", "disk full" & vbCrLf
Write base & "\logs\empty.log", ""
Write base & "\logs\notes.txt", "not a log"
Write base & "\archive\2020-01-01.txt", "old"
Write base & "\archive\recent.txt", "recent"
sh.Run "touch -d '40 days ago' " & base & "/archive/2020-01-01.txt", 0, True
sh.Run "touch -d '2 days ago' " & base & "/archive/recent.txt", 0, True

Rotate
WScript.Echo "logs " & Listing(base & "\logs") & " archive " & Listing(base & "\archive")
Set ts = fso.OpenTextFile(base & "\archive\" & stamp & ".txt")
WScript.Echo ts.ReadAll
ts.Close

WScript.Echo "-- again, with one new log"
Write base & "\logs\app.log", "app started again" & vbCrLf
Rotate
Set ts = fso.OpenTextFile(base & "\archive\" & stamp & ".txt")
Do Until ts.AtEndOfStream
    s = ts.ReadLine
    If Left(s, 5) = "=====" Then WScript.Echo s
Loop
ts.Close

fso.DeleteFolder base
WScript.Echo "cleaned " & (Not fso.FolderExists(base))
