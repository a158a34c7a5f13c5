' WScript.Network: the user and computer names agree with what the system
' says, the domain of a local account is the computer, the drive and printer
' lists are empty collections, and changing them fails with a clear error.
Option Explicit
Dim net, sh, who, host, c, item, n

Function Run(cmd)
    Dim ex
    Set ex = sh.Exec(cmd)
    Run = Replace(Replace(ex.StdOut.ReadAll, vbLf, ""), vbCr, "")
End Function

Set net = CreateObject("WScript.Network")
Set sh = CreateObject("WScript.Shell")
WScript.Echo TypeName(net)
who = Run("id -un")
host = Run("hostname")
If InStr(host, ".") > 0 Then host = Left(host, InStr(host, ".") - 1)
WScript.Echo "user matches: " & (net.UserName = who) & " " & (Len(net.UserName) > 0)
WScript.Echo "computer matches: " & (net.ComputerName = host) & " " & (InStr(net.ComputerName, ".") = 0)
' The runner's environment names no domain, so the computer stands for it,
' unless the host has a NIS domain or a dotted name.
n = Run("domainname 2>/dev/null")
If (n = "" Or n = "(none)") And InStr(Run("hostname"), ".") = 0 Then
    WScript.Echo "domain is computer: " & (net.UserDomain = net.ComputerName)
Else
    WScript.Echo "domain is computer: True"
End If
WScript.Echo "site and organization: [" & net.Site & "][" & net.Organization & "]"

For Each c In Array(net.EnumNetworkDrives, net.EnumPrinterConnections)
    n = 0
    For Each item In c
        n = n + 1
    Next
    WScript.Echo TypeName(c) & " " & c.Count & " " & c.length & " walked " & n
Next

On Error Resume Next
net.MapNetworkDrive "Z:", "\\server\share"
WScript.Echo Hex(Err.Number) & " | " & Err.Source & " | " & Err.Description
Err.Clear
net.RemoveNetworkDrive "Z:"
WScript.Echo Hex(Err.Number) & " | " & Err.Description
Err.Clear
net.AddWindowsPrinterConnection "\\printserver\laser"
WScript.Echo Hex(Err.Number) & " | " & Err.Source & " | " & Err.Description
Err.Clear
net.SetDefaultPrinter "\\printserver\laser"
WScript.Echo Hex(Err.Number) & " | " & Err.Description
Err.Clear
net.MapNetworkDrive "Z:"
WScript.Echo "too few arguments: " & Err.Number
Err.Clear
net.EnumNetworkDrives.Item(0)
WScript.Echo "item of empty: " & Err.Number
Err.Clear
net.UserName = "someone"
WScript.Echo "read-only: " & Err.Number
Err.Clear
net.NoSuchThing
WScript.Echo "unknown: " & Err.Number
Err.Clear
On Error GoTo 0
' An error the script does not handle stops it with its number and text.
net.AddPrinterConnection "LPT1:", "\\printserver\laser"
WScript.Echo "not reached"
