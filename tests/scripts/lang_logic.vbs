' Logical operators And Or Not Xor Eqv Imp: on Booleans, bitwise on numbers,
' with Null, precedence, no short-circuit evaluation, numbers as conditions.
WScript.Echo True And False
WScript.Echo True And True
WScript.Echo False Or True
WScript.Echo False Or False
WScript.Echo Not True
WScript.Echo Not False
WScript.Echo True Xor True
WScript.Echo True Xor False
WScript.Echo True Eqv True
WScript.Echo True Eqv False
WScript.Echo False Imp False
WScript.Echo True Imp False
WScript.Echo False Imp True
WScript.Echo TypeName(True And False)
WScript.Echo "-- bitwise"
WScript.Echo 6 And 3
WScript.Echo 6 Or 3
WScript.Echo 6 Xor 3
WScript.Echo Not 0
WScript.Echo Not 5
WScript.Echo Not -1
WScript.Echo 12 Eqv 10
WScript.Echo 12 Imp 10
WScript.Echo &HFF And &H0F
WScript.Echo &HF0 Or &H0F
WScript.Echo 65536 Or 1
WScript.Echo TypeName(6 And 3)
WScript.Echo "-- Null"
WScript.Echo Null And False
WScript.Echo IsNull(Null And True)
WScript.Echo Null Or True
WScript.Echo IsNull(Null Or False)
WScript.Echo IsNull(Not Null)
WScript.Echo IsNull(Null Xor True)
WScript.Echo False Imp Null
WScript.Echo Null Imp True
WScript.Echo IsNull(True Imp Null)
WScript.Echo IsNull(Null Eqv False)
WScript.Echo "-- precedence"
WScript.Echo True Or True And False
WScript.Echo (True Or True) And False
WScript.Echo Not False And False
WScript.Echo Not (False And False)
WScript.Echo Not 1 = 2
WScript.Echo 1 = 1 And 2 = 2
WScript.Echo True Xor True Or True
WScript.Echo "-- both operands are always evaluated"
Function T(label, v)
    WScript.Echo "eval " & label
    T = v
End Function
WScript.Echo T("a", False) And T("b", True)
WScript.Echo T("c", True) Or T("d", False)
If T("e", False) And T("f", False) Then WScript.Echo "wrong"
WScript.Echo "-- numbers as conditions"
If 5 Then WScript.Echo "5 is true"
If 0 Then WScript.Echo "wrong" Else WScript.Echo "0 is false"
If 6 And 1 Then WScript.Echo "wrong" Else WScript.Echo "6 And 1 is 0"
If 6 And 2 Then WScript.Echo "6 And 2 is 2"
