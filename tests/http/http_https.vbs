' HTTPS is checked against the system's certificates: the test server's own
' certificate is refused until the script says to ignore certificate errors.
Set sh = CreateObject("WScript.Shell")
base = sh.ExpandEnvironmentStrings("%PW_HTTP_BASE%")
secure = sh.ExpandEnvironmentStrings("%PW_HTTPS_BASE%")

Sub Show(label)
  If Err.Number <> 0 Then
    WScript.Echo label & ": error " & Hex(Err.Number) & " " & Replace(Replace(Err.Description, secure, "SECURE"), base, "BASE")
  Else
    WScript.Echo label & ": no error"
  End If
  Err.Clear
End Sub

On Error Resume Next
Set w = CreateObject("WinHttp.WinHttpRequest.5.1")
w.Open "GET", secure & "/hello", False
w.Send
Show "winhttp untrusted"
Set x = CreateObject("MSXML2.XMLHTTP")
x.open "GET", secure & "/hello", False
x.send
Show "xmlhttp untrusted"
Set s = CreateObject("MSXML2.ServerXMLHTTP.6.0")
s.open "GET", secure & "/hello", False
s.send
Show "serverxmlhttp untrusted"
On Error GoTo 0

' SslErrorIgnoreFlags / SXH_SERVER_CERT_IGNORE_ALL_SERVER_ERRORS.
w.Option(4) = 13056
w.Open "GET", secure & "/hello", False
w.Send
WScript.Echo "winhttp ignoring: " & w.Status & " " & w.ResponseText
s.setOption 2, 13056
WScript.Echo "option 2: " & s.getOption(2)
s.open "POST", secure & "/echo", False
s.send "over tls"
WScript.Echo "serverxmlhttp ignoring: " & s.status & " " & Split(s.responseText, vbLf)(UBound(Split(s.responseText, vbLf)))

' From https to http only when allowed.
On Error Resume Next
w.Open "GET", secure & "/to-http?" & base & "/hello", False
w.Send
Show "https to http"
On Error GoTo 0
w.Option(12) = True
w.Open "GET", secure & "/to-http?" & base & "/hello", False
w.Send
WScript.Echo "allowed: " & w.Status & " " & w.ResponseText & " " & (Left(w.Option(1), 5) = "http:")
