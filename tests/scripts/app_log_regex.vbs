' log filtering: RegExp submatches (unmatched group is Empty), Global/Multiline replace, InStr text compare
Dim re, log, lines, l, m, cnt, counts, k
log = "2024-01-05 10:00:01 INFO start" & vbCrLf & "2024-01-05 10:00:02 ERROR disk full (code=28)" & vbCrLf & _
  "2024-01-05 10:01:00 warn low mem" & vbCrLf & "2024-01-06 11:00:00 Error net down (code=110)"
Set re = New RegExp
re.Pattern = "^(\d{4})-(\d\d)-(\d\d) (\S+) (\w+) (.*?)(?: \(code=(\d+)\))?$"
re.IgnoreCase = True
Set counts = CreateObject("Scripting.Dictionary")
counts.CompareMode = 1
For Each l In Split(log, vbCrLf)
  Set m = re.Execute(l)
  If m.Count > 0 Then
    With m(0)
      WScript.Echo .SubMatches.Count, .SubMatches(4), "[" & .SubMatches(5) & "]", "{" & .SubMatches(6) & "}", IsEmpty(.SubMatches(6)), .FirstIndex, .Length
      counts(.SubMatches(4)) = counts(.SubMatches(4)) + 1
    End With
  End If
  If InStr(1, l, "error", vbTextCompare) > 0 Then WScript.Echo "ERR@" & InStr(1, l, "error", 1) & ": " & Mid(l, 21)
Next
For Each k In counts: WScript.Echo k, counts(k): Next
re.Global = True: re.Multiline = True
re.Pattern = "^\d{4}-\d\d-(\d\d)"
Set m = re.Execute(log)
WScript.Echo m.Count, m(1).Value, m(3).SubMatches(0)
WScript.Echo re.Replace(log, "D$1")
re.Pattern = "code=(\d+)"
WScript.Echo re.Test(log), re.Replace("code=1 code=22", "[$1|$&|$$]")
re.Pattern = "(\w+)@(\w+)\.com"
WScript.Echo re.Replace("mail bob@ex.com, al@y.com", "$2:$1")
Dim tpl: tpl = "Hello {name}, you owe {amt}. {missing}"
re.Pattern = "\{(\w+)\}"
Dim vals: Set vals = CreateObject("Scripting.Dictionary")
vals("name") = "Ann": vals("amt") = FormatCurrency(12.5)
Dim out: out = tpl
For Each m In re.Execute(tpl)
  If vals.Exists(m.SubMatches(0)) Then out = Replace(out, m.Value, vals(m.SubMatches(0)))
Next
WScript.Echo out
WScript.Echo TypeName(m), TypeName(re.Execute(tpl)), TypeName(re.Execute(tpl)(0).SubMatches)
re.Pattern = "["
On Error Resume Next
re.Test "x"
WScript.Echo Err.Number, Err.Description, Err.Source
