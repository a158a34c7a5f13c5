' responseText follows the charset of Content-Type, then a byte order mark,
' then UTF-8; responseBody is the bytes as a Byte() array.
Set sh = CreateObject("WScript.Shell")
base = sh.ExpandEnvironmentStrings("%PW_HTTP_BASE%")

Function Codes(s)
  Dim i, out
  For i = 1 To Len(s)
    out = out & Hex(AscW(Mid(s, i, 1))) & " "
  Next
  Codes = Trim(out)
End Function

Function HexBytes(b)
  Dim i, out
  For i = LBound(b) To UBound(b)
    out = out & Right("0" & Hex(b(i)), 2)
  Next
  HexBytes = out
End Function

Set x = CreateObject("MSXML2.XMLHTTP")
For Each p In Array("/latin1", "/win1252", "/utf8", "/nocharset", "/utf16bom")
  x.open "GET", base & p, False
  x.send
  WScript.Echo p & ": " & Len(x.responseText) & " chars: " & Codes(x.responseText)
  b = x.responseBody
  WScript.Echo "  body " & TypeName(b) & " " & VarType(b) & " " & LBound(b) & ".." & UBound(b) & " " & HexBytes(b)
Next

' Each read gives a fresh array; elements are Bytes.
x.open "GET", base & "/hello", False
x.send
b = x.responseBody
WScript.Echo TypeName(b(0)) & " " & b(0) & " " & IsArray(b)
n = 0
For Each v In b
  n = n + v
Next
WScript.Echo "sum " & n

Set w = CreateObject("WinHttp.WinHttpRequest.5.1")
w.Open "GET", base & "/win1252", False
w.Send
WScript.Echo "winhttp: " & Codes(w.ResponseText)

' responseXML: the reply parsed as a document.
x.open "GET", base & "/xml", False
x.send
Set d = x.responseXML
WScript.Echo "xml: " & TypeName(d) & " " & d.documentElement.nodeName & " " & _
  d.selectSingleNode("/root/item[@id='1']").text
