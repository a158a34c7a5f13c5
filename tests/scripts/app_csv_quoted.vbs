' CSV fields with quotes and embedded commas, re-quoted on output; money and percent formats
Function ParseCsv(s)
  Dim out(), n, i, c, inQ, cur
  n = 0: ReDim out(0): inQ = False: cur = ""
  For i = 1 To Len(s)
    c = Mid(s, i, 1)
    If inQ Then
      If c = """" Then
        If Mid(s, i + 1, 1) = """" Then cur = cur & """": i = i + 1 Else inQ = False
      Else
        cur = cur & c
      End If
    ElseIf c = """" Then
      inQ = True
    ElseIf c = "," Then
      ReDim Preserve out(n): out(n) = cur: n = n + 1: cur = ""
    Else
      cur = cur & c
    End If
  Next
  ReDim Preserve out(n): out(n) = cur
  ParseCsv = out
End Function
Function Q(s)
  If InStr(s, ",") Or InStr(s, """") Then Q = """" & Replace(s, """", """""") & """" Else Q = s
End Function
Dim rows, r, f, i
rows = Array("name,qty,price", """Smith, John"",3,4.5", """say """"hi"""""",10,0.1", "plain,,")
For Each r In rows
  f = ParseCsv(r)
  WScript.Echo UBound(f) + 1, Join(f, "|")
  For i = 0 To UBound(f): f(i) = Q(f(i)): Next
  WScript.Echo Join(f, ",")
Next
Dim tot: tot = 3 * 4.5 + 10 * 0.1
WScript.Echo tot, FormatNumber(tot), FormatNumber(tot, 0), FormatCurrency(tot)
WScript.Echo FormatNumber(1234567.891, 2), FormatNumber(-0.5, 2), FormatNumber(0.5, 2, 0), FormatNumber(-1234.5, 1, , True), FormatNumber(1234.5, 1, , , False)
WScript.Echo FormatPercent(0.256), FormatPercent(1/3, 1), FormatPercent(-0.05, 0), FormatPercent(2)
WScript.Echo CSng(4.5) * 3, 0.1 + 0.2, 1/3, 1e20, 1.5e-7, 123456789012345#, 1234567890123456#
