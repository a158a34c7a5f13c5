' Numbers read from text: the forms the conversion accepts (blanks, signs,
' "&H"/"&O", exponents with E or D, thousands separators, "$", parentheses,
' a trailing sign), what IsNumeric says of them, and the errors: text that is
' no number is a Type mismatch, a number past the Double range an Overflow.
Sub Try(label, expr)
    Dim r
    On Error Resume Next
    r = Eval(expr)
    If Err.Number <> 0 Then
        WScript.Echo label & ": error " & Err.Number & " " & Err.Description
    Else
        WScript.Echo label & ": " & CStr(r) & " " & TypeName(r)
    End If
End Sub

WScript.Echo "-- accepted forms"
Try "blanks", "CDbl(""  12  "")"
Try "tab and newline", "CDbl(vbTab & ""5"" & vbCrLf)"
Try "plus", "CDbl(""+12"")"
Try "hex", "CDbl(""&H1F"")"
Try "hex lower", "CLng(""&h1f"")"
Try "octal", "CInt(""&O17"")"
Try "exponent", "CDbl(""1.5e-3"")"
Try "exponent D", "CDbl(""1D3"")"
Try "thousands", "CLng(""1,234,567"")"
Try "dollar", "CCur(""$1,234.50"")"
Try "parentheses", "CDbl(""(5)"")"
Try "trailing minus", "CDbl(""5-"")"
Try "leading point", "CDbl("".5"")"
Try "trailing point", "CDbl(""7."")"
Try "tiny underflows to 0", "CDbl(""1E-400"")"
Try "in arithmetic", """3"" + 4"
Try "joined", """3"" & 4"
Try "two strings add", """3"" + ""4"""

WScript.Echo "-- refused forms"
Try "empty", "CDbl("""")"
Try "blank", "CInt("" "")"
Try "point", "CDbl(""."")"
Try "sign", "CDbl(""-"")"
Try "two signs", "CDbl(""--5"")"
Try "inner blank", "CDbl(""1 2"")"
Try "bare exponent", "CDbl(""1e"")"
Try "hex without digits", "CDbl(""&H"")"
Try "word", "CLng(""12abc"")"
Try "True as text", "CDbl(""True"")"
Try "letter plus one", """a"" + 1"
Try "empty string plus one", """"" + 1"

WScript.Echo "-- past the Double range"
Try "CDbl", "CDbl(""1E400"")"
Try "CDbl negative", "CDbl(""-1E400"")"
Try "CLng", "CLng(""1E400"")"
Try "CCur", "CCur(""1E400"")"
Try "CBool", "CBool(""1E400"")"
Try "CDate", "CDate(""1E400"")"
Try "plus", """1E400"" + 0"
Try "negation", "-""1E400"""
Try "And", """1E400"" And 1"
Try "Int", "Int(""1E400"")"
Try "CSng of a Double text past Single", "CSng(""1E300"")"

WScript.Echo "-- IsNumeric"
Dim forms, f
forms = Array(" 12 ", "1e3", "&HFF", "&O7", "$1", "1,2", "(5)", "5-", ".5", _
              ".", "-", "", " ", "abc", "True", "1E400", "10%", "1 2", "&H", "0x1F")
For Each f In forms
    WScript.Echo "[" & f & "] " & IsNumeric(f)
Next
WScript.Echo "Empty " & IsNumeric(Empty) & ", Null " & IsNumeric(Null) & ", True " & IsNumeric(True) & _
    ", date " & IsNumeric(#1/2/2003#) & ", Byte " & IsNumeric(CByte(1)) & ", array " & IsNumeric(Array(1))
