' Currency: whole amounts up to the top of the range convert exactly, the
' fourth decimal rounds half to even, arithmetic keeps Currency (division
' gives a Double, \ and Mod a Long) and leaving the range overflows.
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

WScript.Echo "-- from numbers and text"
Try "largest whole Double", "CCur(922337203685477)"
Try "negative whole", "CCur(-922337203685477)"
Try "large with cents", "CCur(123456789012.34)"
Try "top of range as text", "CCur(""922337203685477.5807"")"
Try "bottom of range as text", "CCur(""-922337203685477.5808"")"
Try "past the top", "CCur(922337203685478)"
Try "past the top as text", "CCur(""922337203685477.5808"")"
Try "fifth decimal even down", "CCur(""0.00025"")"
Try "fifth decimal even up", "CCur(""0.00035"")"
Try "fifth decimal above half", "CCur(""0.000251"")"
Try "four decimals kept", "CCur(1.2345)"
Try "rounded to four", "CCur(1.23456)"
Try "no trailing zeros", "CCur(""2.5000"")"

WScript.Echo "-- arithmetic"
Try "product rounds to four", "CCur(1.2345) * CCur(1.2345)"
Try "plus Integer", "CCur(1.5) + 1"
Try "times large", "CCur(1) * CCur(922337203685477)"
Try "division", "CCur(10) / CCur(4)"
Try "integer division", "CCur(7.5) \ 2"
Try "Mod", "CCur(5.5) Mod 4"
Try "power", "CCur(3) ^ 2"
Try "negation", "-CCur(2.5)"
Try "sum overflows", "CCur(900000000000000) + CCur(900000000000000)"
Try "product overflows", "CCur(900000000000000) * 100"
Try "Int", "Int(CCur(-2.5))"
Try "Fix", "Fix(CCur(-2.5))"
Try "Round half even", "Round(CCur(2.5))"
Try "Round to 2", "Round(CCur(1.125), 2)"
Try "CLng half even", "CLng(CCur(3.5))"
Try "compare with Double", "CCur(0.1) = 0.1"
