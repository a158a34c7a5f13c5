' Not and the signs as the right operand of another operator: Not there
' takes what follows up to the next And/Or/Xor/Eqv/Imp, as it does at the start.
Sub Show(label, v) : WScript.Echo label & ": " & CStr(v) : End Sub
Dim a, b, o
a = 1 : b = 0
Show "a = Not b", a = Not b
Show "0 = Not -1", 0 = Not -1
Show "-1 = Not b", -1 = Not b
Show "5 + Not 2", 5 + Not 2
Show "2 * Not 1 + 1", 2 * Not 1 + 1
Show "1 = Not 1 = 2", 1 = Not 1 = 2
Show "True = Not False And False", True = Not False And False
Show "True = Not False Or False", True = Not False Or False
Show "x & Not 0", "x" & Not 0
Show "- Not 0", - Not 0
Show "Not Not 5", Not Not 5
Show "Not a = b", Not a = b
If b = Not -1 Then Show "If b = Not -1", "taken"
If b = Not b Then Show "If b = Not b", "wrong" Else Show "If b = Not b", "not taken"
' Signs after operators.
Show "3 * -2", 3 * -2
Show "2 - - 2", 2 - - 2
Show "2 ^ -1", 2 ^ -1
Show "- - - 1", - - - 1
Show "1 - -.5", 1 - -.5
Show "a = -b", a = -b
Show "Not - 1", Not - 1
Show "10 \ -3", 10 \ -3
Show "7 Mod -4", 7 Mod -4
' Is with Not on either side.
Set o = Nothing
Show "Not o Is Nothing", Not o Is Nothing
Show "Not (o Is Nothing) = False", Not (o Is Nothing) = False
