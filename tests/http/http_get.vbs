' GET through each request object: state, status, headers and errors that
' depend on when a member is used.
Set sh = CreateObject("WScript.Shell")
base = sh.ExpandEnvironmentStrings("%PW_HTTP_BASE%")

Sub Show(label)
  If Err.Number <> 0 Then
    WScript.Echo label & ": error " & Hex(Err.Number) & " (" & Err.Source & ") " & Err.Description
  Else
    WScript.Echo label & ": no error"
  End If
  Err.Clear
End Sub

' Headers that do not change from run to run, in the order sent.
Function StableHeaders(all)
  Dim line, out
  For Each line In Split(all, vbCrLf)
    If line <> "" And Left(LCase(line), 5) <> "date:" And Left(LCase(line), 7) <> "server:" Then out = out & "[" & line & "]"
  Next
  StableHeaders = out
End Function

For Each progId In Array("MSXML2.XMLHTTP", "Microsoft.XMLHTTP", "MSXML2.XMLHTTP.6.0", "MSXML2.ServerXMLHTTP", "MSXML2.ServerXMLHTTP.6.0", "WinHttp.WinHttpRequest.5.1")
  Set x = CreateObject(progId)
  WScript.Echo progId & " -> " & TypeName(x)
Next

Set x = CreateObject("MSXML2.XMLHTTP")
WScript.Echo "readyState new: " & x.readyState
On Error Resume Next
s = x.status
Show "status before open"
x.send
Show "send before open"
x.setRequestHeader "X-A", "1"
Show "header before open"
On Error GoTo 0
x.open "get", base & "/hello", False
WScript.Echo "readyState open: " & x.readyState
On Error Resume Next
t = x.responseText
Show "responseText before send"
On Error GoTo 0
x.send
WScript.Echo "readyState done: " & x.readyState
WScript.Echo x.status & " [" & x.statusText & "] " & TypeName(x.status)
WScript.Echo "text: " & x.responseText
WScript.Echo "x-test=" & x.getResponseHeader("X-TEST") & " multi=" & x.getResponseHeader("x-multi") & _
  " absent=[" & x.getResponseHeader("x-absent") & "]"
WScript.Echo StableHeaders(x.getAllResponseHeaders)
WScript.Echo "ends with blank line: " & (Right(x.getAllResponseHeaders, 4) = vbCrLf & vbCrLf)

' The same object again, then abort.
x.open "GET", base & "/missing/page", False
WScript.Echo "reopened readyState: " & x.readyState
x.send
WScript.Echo x.status & " [" & x.statusText & "] " & x.responseText
x.abort
WScript.Echo "after abort: " & x.readyState

' A reason phrase of the server's own, and HEAD.
x.open "GET", base & "/teapot", False
x.send
WScript.Echo x.status & " [" & x.statusText & "]"
x.open "HEAD", base & "/hello", False
x.send
WScript.Echo "HEAD " & x.status & " len=" & Len(x.responseText) & " content-length=" & x.getResponseHeader("Content-Length")

' Async open: Send finishes the request, WaitForResponse says so.
Set s = CreateObject("MSXML2.ServerXMLHTTP.6.0")
s.open "GET", base & "/hello", True
s.send
WScript.Echo "server async: " & s.waitForResponse(5) & " " & s.readyState & " " & s.responseText
WScript.Echo "url option: " & (s.getOption(-1) = base & "/hello")

' Async XMLHTTP calls its handler when the request is done.
Sub Done
  WScript.Echo "handler: " & a.readyState & " " & a.status
End Sub
Set a = CreateObject("MSXML2.XMLHTTP")
a.open "GET", base & "/hello"
Set a.onreadystatechange = GetRef("Done")
WScript.Echo "async open: " & a.readyState
a.send
WScript.Echo "after send: " & a.readyState
a.open "GET", base & "/hello", False
a.send
WScript.Echo "sync: no handler call"

' WinHttp: its own errors and its missing members.
Set w = CreateObject("WinHttp.WinHttpRequest.5.1")
On Error Resume Next
w.Send
Show "winhttp send before open"
w.Open "GET", base & "/hello"
x1 = w.Status
Show "winhttp status before send"
w.Send
WScript.Echo "winhttp " & w.Status & " " & w.StatusText & " " & w.ResponseText
h = w.GetResponseHeader("X-Absent")
Show "winhttp absent header"
r = w.readyState
Show "winhttp readyState"
x.setTimeouts 1, 2, 3, 4
Show "xmlhttp setTimeouts"
w.Open "GET", "ftp://127.0.0.1/x"
Show "winhttp ftp url"
w.Open "GET", "no-scheme"
Show "winhttp relative url"
x.open "GET", "file:///etc/passwd", False
Show "xmlhttp file url"
