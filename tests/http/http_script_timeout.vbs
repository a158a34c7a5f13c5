' args: --timeout 1500
' within: 8
' The script's own time-out stops a request that is still waiting, even
' inside On Error Resume Next.
Set sh = CreateObject("WScript.Shell")
base = sh.ExpandEnvironmentStrings("%PW_HTTP_BASE%")
Set x = CreateObject("MSXML2.XMLHTTP")
x.open "GET", base & "/slow", False
WScript.Echo "sending"
On Error Resume Next
x.send
WScript.Echo "not reached"
