' Bodies, request headers, credentials, redirects and network errors.
Set sh = CreateObject("WScript.Shell")
base = sh.ExpandEnvironmentStrings("%PW_HTTP_BASE%")

Sub Show(label)
  If Err.Number <> 0 Then
    WScript.Echo label & ": error " & Hex(Err.Number) & " " & Replace(Err.Description, base, "BASE")
  Else
    WScript.Echo label & ": no error"
  End If
  Err.Clear
End Sub

Set x = CreateObject("MSXML2.ServerXMLHTTP")
x.open "POST", base & "/echo", False
x.setRequestHeader "Content-Type", "application/json; charset=utf-8"
x.setRequestHeader "X-Token", "abc 123"
x.send "{""name"": ""Zoë ☃""}"
WScript.Echo x.status
WScript.Echo x.responseText
WScript.Echo "---"

' Text without a Content-Type header goes out without one; headers do not
' survive a new open.
x.open "PUT", base & "/echo/put", False
x.send "plain"
WScript.Echo x.responseText
WScript.Echo "---"

' A Byte() body, made with ADODB.Stream.
Set st = CreateObject("ADODB.Stream")
st.Type = 2
st.Charset = "iso-8859-1"
st.Open
st.WriteText "bytes: é"
st.Position = 0
st.Type = 1
body = st.Read
WScript.Echo TypeName(body) & " " & VarType(body) & " " & (UBound(body) + 1)
Set w = CreateObject("WinHttp.WinHttpRequest.5.1")
w.Open "POST", base & "/echo/bytes", False
w.SetRequestHeader "Content-Type", "application/octet-stream"
w.Send body
WScript.Echo w.ResponseText
WScript.Echo "---"

' User agent and credentials.
w.Open "DELETE", base & "/echo/agent", False
w.Option(0) = "PallweaveTest/1.0"
w.Send
WScript.Echo w.ResponseText
WScript.Echo "agent option: " & w.Option(0)
WScript.Echo "---"
' Credentials answer the server's challenge.
w.Open "GET", base & "/auth", False
w.Send
WScript.Echo "no credentials: " & w.Status & " " & w.StatusText
w.Open "GET", base & "/auth", False
w.SetCredentials "user", "pa:ss", 0
w.Send
WScript.Echo w.Status & " " & w.ResponseText
Set x = CreateObject("MSXML2.XMLHTTP")
x.open "PUT", base & "/auth/open", False, "ann", "secret"
x.send "x"
WScript.Echo x.status & " " & x.responseText
WScript.Echo "---"

' Redirects are followed; WinHttp can be told not to.
w.Open "GET", base & "/redirect", False
w.Send
WScript.Echo "followed: " & w.Status & " " & w.ResponseText & " " & Mid(w.Option(1), Len(base) + 1)
w.Option(6) = False
w.Open "GET", base & "/redirect", False
w.Send
WScript.Echo "not followed: " & w.Status & " " & w.StatusText & " " & w.GetResponseHeader("Location")
x.open "POST", base & "/redirect-post", False
x.send "form=1"
WScript.Echo "303 after POST: " & Split(x.responseText, vbLf)(0)

On Error Resume Next
w.Option(6) = True
w.Open "GET", base & "/loop", False
w.Send
Show "redirect loop"
w.Option(1) = "x"
Show "set URL option"

' Nothing listens on port 1: the error names the request.
w.Open "GET", "http://127.0.0.1:1/nothing", False
w.Send
Show "winhttp refused"
x.open "GET", "http://127.0.0.1:1/nothing", False
x.send
Show "xmlhttp refused"
x.open "POST", base & "/echo", False
x.send Array(1, 2)
Show "array body"
x.setRequestHeader "Bad:Name", "v"
Show "bad header name"
On Error GoTo 0
x.send
WScript.Echo "after errors: " & x.status

' The script stops at an unhandled network error.
Set s = CreateObject("MSXML2.ServerXMLHTTP.6.0")
s.open "GET", "http://127.0.0.1:1/down", False
s.send
WScript.Echo "not reached"
