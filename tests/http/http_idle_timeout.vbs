' within: 10
' A server that does not answer: the receive time-out of setTimeouts ends the
' request with WinHttp's time-out error.
Set sh = CreateObject("WScript.Shell")
base = sh.ExpandEnvironmentStrings("%PW_HTTP_BASE%")
Set x = CreateObject("MSXML2.ServerXMLHTTP.6.0")
x.setTimeouts 1000, 1000, 1000, 1000
x.open "GET", base & "/slow", False
t = Timer
On Error Resume Next
x.send
WScript.Echo Hex(Err.Number) & " " & Err.Source & ": " & Replace(Err.Description, base, "BASE")
WScript.Echo "quick: " & (Timer - t < 5)
WScript.Echo "readyState " & x.readyState
On Error GoTo 0
' The object is usable again.
x.open "GET", base & "/hello", False
x.send
WScript.Echo x.status & " " & x.responseText
Set w = CreateObject("WinHttp.WinHttpRequest.5.1")
w.SetTimeouts 0, 0, 0, 1500
w.Open "GET", base & "/slow", False
On Error Resume Next
w.Send
WScript.Echo Hex(Err.Number) & " " & Err.Source & ": " & Replace(Err.Description, base, "BASE")
x1 = w.Status
WScript.Echo "status after failure: " & Hex(Err.Number)
On Error GoTo 0
' Negative time-outs other than -1 are refused.
w.SetTimeouts 0, 0, 0, -2
