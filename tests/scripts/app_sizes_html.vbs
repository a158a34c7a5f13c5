' file sizes in KB/MB/GB with Round and FormatNumber, number display, HTML escaping
Function FmtSize(b)
  If b >= 1073741824 Then
    FmtSize = FormatNumber(b / 1073741824, 2) & " GB"
  ElseIf b >= 1048576 Then
    FmtSize = FormatNumber(b / 1048576, 1) & " MB"
  ElseIf b >= 1024 Then
    FmtSize = Round(b / 1024, 1) & " KB"
  Else
    FmtSize = b & " bytes"
  End If
End Function
Dim sizes, s
sizes = Array(0, 512, 1024, 1536, 1048575, 1048576, 5242880.5, 3221225472#, 1099511627776#, 2.5, 1023.9)
For Each s In sizes: WScript.Echo Right(Space(16) & s, 16), FmtSize(s), TypeName(s): Next
WScript.Echo Round(2.5), Round(3.5), Round(-2.5), Round(2.25, 1), Round(-1.5), Round(0.5)
WScript.Echo Int(-2.5), Fix(-2.5), CInt(2.5), CInt(3.5), CLng(-2.5), Int(9.99), 7 \ 2, -7 \ 2, 7 Mod -3, -7 Mod 3, 2 ^ 10, 10 / 4
WScript.Echo FormatNumber(1536/1024, 2), FormatNumber(0), FormatNumber(123), FormatNumber(1e15), FormatNumber("12.345", 1), FormatNumber(0.005, 2)
WScript.Echo Hex(255), Hex(-1), Oct(8), CStr(1/7), CStr(100000000000000000000#), 1e15, 1e16, 0.0001, 0.00001, -1.5e-10
Function HtmlEsc(t)
  HtmlEsc = Replace(Replace(Replace(Replace(Replace(t, "&", "&amp;"), "<", "&lt;"), ">", "&gt;"), """", "&quot;"), "'", "&#39;")
End Function
Dim rows, r, html
rows = Array(Array("Tom & Jerry", 3), Array("<script>", 10), Array("O'Brien ""Jr""", 7))
html = "<table>" & vbCrLf
For Each r In rows
  html = html & "  <tr><td>" & HtmlEsc(r(0)) & "</td><td align=""right"">" & r(1) & "</td></tr>" & vbCrLf
Next
html = html & "</table>"
WScript.Echo html
WScript.Echo Len(html), InStr(html, vbLf), InStrRev(html, "<tr>"), Asc("&"), Chr(34) & ChrW(65) & Chr(39), AscW("A")
Dim x: x = "<root><item id=""1"">" & HtmlEsc("a<b") & "</item></root>"
WScript.Echo x
