' An administrator's log report: a log file is read with FileSystemObject,
' its lines parsed with RegExp and Split, counted with a Dictionary, and a
' report formatted with FormatNumber and FormatDateTime is written out and
' shown.
Option Explicit

Const ForReading = 1, ForWriting = 2

Dim fso, work, logPath, reportPath, ts, re, m, line, fields
Dim counts, bytes, firstSeen, lastSeen, badLines, user, stamp, total, k

Set fso = CreateObject("Scripting.FileSystemObject")
work = fso.BuildPath(fso.GetSpecialFolder(2), "pwreport_" & fso.GetBaseName(fso.GetTempName))
fso.CreateFolder work
logPath = fso.BuildPath(work, "access.log")
reportPath = fso.BuildPath(work, "report.txt")

' The sample log the report is made from.
Set ts = fso.CreateTextFile(logPath, True)
ts.WriteLine "2024-03-01 08:15:02 alice GET /index.html 200 5120"
ts.WriteLine "2024-03-01 08:17:45 bob GET /files/report.pdf 200 1048576"
ts.WriteLine "garbage line without the right shape"
ts.WriteLine "2024-03-01 09:02:10 alice POST /upload 201 262144"
ts.WriteLine "2024-03-02 17:30:59 carol GET /index.html 404 0"
ts.WriteLine ""
ts.WriteLine "2024-03-02 18:00:00 bob GET /files/data.csv 200 3500000"
ts.Close

Set re = New RegExp
re.Pattern = "^(\d{4})-(\d\d)-(\d\d) (\d\d:\d\d:\d\d) (\w+) (GET|POST) (\S+) (\d{3}) (\d+)$"

Set counts = CreateObject("Scripting.Dictionary")
Set bytes = CreateObject("Scripting.Dictionary")
badLines = 0
total = 0
Set ts = fso.OpenTextFile(logPath, ForReading)
Do Until ts.AtEndOfStream
    line = Trim(ts.ReadLine)
    If Len(line) > 0 Then
        If re.Test(line) Then
            Set m = re.Execute(line)(0)
            fields = Split(line, " ")
            user = LCase(fields(2))
            stamp = DateSerial(CInt(m.SubMatches(0)), CInt(m.SubMatches(1)), CInt(m.SubMatches(2))) + TimeValue(m.SubMatches(3))
            If IsEmpty(firstSeen) Then firstSeen = stamp
            lastSeen = stamp
            counts(user) = counts(user) + 1
            bytes(user) = bytes(user) + CDbl(fields(6))
            total = total + CDbl(m.SubMatches(8))
        Else
            badLines = badLines + 1
        End If
    End If
Loop
ts.Close

Set ts = fso.OpenTextFile(reportPath, ForWriting, True)
ts.WriteLine "Access report"
ts.WriteLine "From " & FormatDateTime(firstSeen, vbGeneralDate) & " to " & FormatDateTime(lastSeen, vbShortDate) & " " & FormatDateTime(lastSeen, vbShortTime)
ts.WriteLine String(40, "-")
For Each k In counts
    ts.WriteLine Left(k & Space(8), 8) & Right(Space(4) & counts(k), 4) & Right(Space(16) & FormatNumber(bytes(k) / 1024, 1) & " KB", 16) & _
        Right(Space(9) & FormatPercent(bytes(k) / total, 1), 9)
Next
ts.WriteLine String(40, "-")
ts.WriteLine "Users: " & counts.Count & ", requests: " & FormatNumber(Eval(Join(counts.Items, "+")), 0) & ", bad lines: " & badLines
ts.WriteLine "Total: " & FormatNumber(total, 0) & " bytes"
ts.Close

WScript.Echo fso.OpenTextFile(reportPath).ReadAll
fso.DeleteFolder work
WScript.Echo "cleaned up: " & (Not fso.FolderExists(work))
