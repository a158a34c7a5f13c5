' rotate.vbs - daily log rotation, written for Windows.
' Appends every logs\*.log beside this script to archive\YYYY-MM-DD.txt,
' deletes the logs it archived, and prunes archives older than KEEP_DAYS.
Option Explicit

Const ForReading = 1, ForAppending = 8
Const KEEP_DAYS = 30

Dim fso, scriptDir, logDir, archiveDir, stamp, archiveFile
Dim out, logFile, ts, archived, pruned, oldFile

Set fso = CreateObject("Scripting.FileSystemObject")
scriptDir = fso.GetParentFolderName(WScript.ScriptFullName)
logDir = scriptDir & "\logs"
archiveDir = scriptDir & "\archive"

If Not fso.FolderExists(logDir) Then
    WScript.Echo "No logs folder at " & logDir
    WScript.Quit 1
End If
If Not fso.FolderExists(archiveDir) Then fso.CreateFolder archiveDir

stamp = Year(Date) & "-" & Right("0" & Month(Date), 2) & "-" & Right("0" & Day(Date), 2)
archiveFile = fso.BuildPath(archiveDir, stamp & ".txt")

archived = 0
Set out = fso.OpenTextFile(archiveFile, ForAppending, True)
For Each logFile In fso.GetFolder(logDir).Files
    If LCase(fso.GetExtensionName(logFile.Name)) = "log" Then
        out.WriteLine "===== " & logFile.Name & " (" & logFile.Size & " bytes)"
        If logFile.Size > 0 Then
            Set ts = fso.OpenTextFile(logDir & "\" & logFile.Name, ForReading)
            out.Write ts.ReadAll
            ts.Close
        End If
        archived = archived + 1
    End If
Next
out.Close

If archived > 0 Then fso.DeleteFile logDir & "\*.log", True

pruned = 0
For Each oldFile In fso.GetFolder(archiveDir).Files
    If DateDiff("d", oldFile.DateLastModified, Now) > KEEP_DAYS Then
        oldFile.Delete True
        pruned = pruned + 1
    End If
Next

WScript.Echo "Archived " & archived & " log(s) to archive\" & fso.GetFileName(archiveFile) & _
    ", pruned " & pruned & " old archive(s)."
