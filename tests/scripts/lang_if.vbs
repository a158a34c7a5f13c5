' If statements: block form with ElseIf and Else, nesting, single-line form
' with Else and with several statements separated by colons.
Dim n
n = 5
If n > 3 Then
    WScript.Echo "block then"
End If
If n > 10 Then
    WScript.Echo "wrong"
Else
    WScript.Echo "block else"
End If
If n = 1 Then
    WScript.Echo "wrong: one"
ElseIf n = 5 Then
    WScript.Echo "elseif five"
ElseIf n > 3 Then
    WScript.Echo "wrong: only the first true branch runs"
Else
    WScript.Echo "wrong: else"
End If
If n = 1 Then
    WScript.Echo "wrong"
ElseIf n = 2 Then
    WScript.Echo "wrong"
Else
    WScript.Echo "final else"
End If
If n = 1 Then
    WScript.Echo "wrong"
ElseIf n = 2 Then
    WScript.Echo "wrong"
End If
WScript.Echo "no branch taken"
If n > 0 Then
    If n > 100 Then
        WScript.Echo "wrong"
    Else
        WScript.Echo "nested else"
    End If
    WScript.Echo "outer then continues"
End If
If n = 5 Then
    WScript.Echo "first" : WScript.Echo "second"
End If
iF n = 5 tHeN
    WScript.Echo "mixed-case keywords"
eLsE
    WScript.Echo "wrong"
eND iF
WScript.Echo "-- single-line form"
If n > 3 Then WScript.Echo "single then"
If n > 10 Then WScript.Echo "wrong"
If n > 10 Then WScript.Echo "wrong" Else WScript.Echo "single else"
Dim a, b, c, d
If n = 5 Then a = 1 : b = 2 Else c = 3 : d = 4
WScript.Echo a & b & "[" & c & d & "]"
If n = 6 Then a = 10 : b = 20 Else c = 3 : d = 4
WScript.Echo a & b & c & d
If n = 6 Then a = 0 : b = 0
WScript.Echo a & b
If n = 5 Then a = "x" : b = "y"
WScript.Echo a & b
If n = 5 Then WScript.Echo "then with comment" ' comment
WScript.Echo "-- conditions"
If 0 Then WScript.Echo "wrong" Else WScript.Echo "zero is false"
If -1 Then WScript.Echo "minus one is true"
If 0.5 Then WScript.Echo "half is true"
If Empty Then WScript.Echo "wrong" Else WScript.Echo "empty is false"
If Null Then WScript.Echo "wrong" Else WScript.Echo "null is not true"
If n Then WScript.Echo "nonzero variable is true"
If "True" = "True" Then WScript.Echo "string comparison condition"
