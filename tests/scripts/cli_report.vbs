' script-args: 2026 /months:3 /title:"Quarter one" /V
' An argument-driven WSH script as published for cscript, run unchanged:
'   cscript //nologo report.vbs YEAR [/months:N] [/title:TEXT] [/v] [/out:FILE]
Option Explicit
Dim args, year, months, title, verbose, out, fso, m, total, amount

Set args = WScript.Arguments
If args.Unnamed.Count < 1 Then
    WScript.Echo "usage: report.vbs year [/months:n] [/title:text] [/v] [/out:file]"
    WScript.Quit 2
End If
year = CInt(args.Unnamed(0))
months = 12
If args.Named.Exists("months") Then months = CInt(args.Named("months"))
title = "Report"
If args.Named.Exists("title") Then title = args.Named("title")
verbose = args.Named.Exists("v")

Set fso = CreateObject("Scripting.FileSystemObject")
If args.Named.Exists("out") Then
    Set out = fso.CreateTextFile(args.Named("out"), True)
Else
    Set out = WScript.StdOut
End If

out.WriteLine title & " " & year
out.WriteLine String(Len(title) + 5, "=")
total = 0
For m = 1 To months
    amount = (year Mod 100) * m + 10
    total = total + amount
    out.WriteLine Left(MonthName(m) & Space(10), 10) & Right(Space(6) & FormatNumber(amount, 2), 8)
Next
out.WriteLine "Total     " & Right(Space(8) & FormatNumber(total, 2), 8)
If verbose Then WScript.Echo "months:", months, "verbose:", verbose, "args:", args.Count
WScript.Quit 0
