' CCur of decimal text converts digit by digit: the whole Currency range is
' reachable and the fifth decimal rounds half to even, which a Double cannot do.
Sub T(label, expr)
  On Error Resume Next
  Dim r : r = Eval(expr)
  If Err.Number <> 0 Then
    WScript.Echo label & ": error " & Err.Number
  Else
    WScript.Echo label & ": " & TypeName(r) & " " & r
  End If
End Sub
T "max", "CCur(""922337203685477.5807"")"
T "min", "CCur(""-922337203685477.5808"")"
T "above max", "CCur(""922337203685477.5808"")"
T "below min", "CCur(""-922337203685477.5809"")"
T "half even up", "CCur(""1.23455"")"
T "half even down", "CCur(""1.23465"")"
T "past half", "CCur(""1.234651"")"
T "tiny half", "CCur(""0.00005"")"
T "tiny half odd", "CCur(""0.00015"")"
T "blanks and sign", "CCur(""  -12.5  "")"
T "plus and no int", "CCur(""+.75"")"
T "trailing dot", "CCur(""7."")"
T "many decimals", "CCur(""0.123449999"")"
T "exponent", "CCur(""1.5e3"")"
T "grouped", "CCur(""1,234.5"")"
T "hex", "CCur(""&H10"")"
T "dot only", "CCur(""."")"
T "empty", "CCur("""")"
T "two dots", "CCur(""1.2.3"")"
T "letters", "CCur(""12a"")"
T "sum", "CCur(""922337203685477"") + CCur(""0.5807"")"
