' Operators as published scripts write them.
Sub Show(label, v) : WScript.Echo label & ": " & v : End Sub
Dim x, z, n, row
x = 90 : z = 0
' "=>" is ">=" and "=<" is "<=".
If x => 90 Then Show "=> equal", "yes"
If x => 91 Then Show "=> less", "wrong" Else Show "=> less", "no"
If z =< 0 Then Show "=< equal", "yes"
If 1 =< 0 Then Show "=< greater", "wrong" Else Show "=< greater", "no"
Show "=> value", (5 => 5) & " " & (4 =< 3)
Show "inside strings it is text", "a => b, c =< d"
' A number glued to a keyword ends before it.
If x = 90Then Show "90Then", "yes"
If x = 90then n = 1Else n = 2
Show "1Else", n
If z = 0Or x = 1 Then Show "0Or", "yes"
n = 7Mod 4 : Show "7Mod 4", n
' A decimal number followed by & concatenates; only &H/&O take the & suffix.
n = 2048
Show "n/1024& unit", n/1024& " GB"
row = 4
Show "glued & around a sum", "b"&row+1&":D"
Show "&H10&", TypeName(&h10&) & " " & &h10&
Show "&HFFFFFFFF&", TypeName(&hffFFffFF&) & " " & &hffFFffFF&
Show "&HFFFF&", TypeName(&hffFF&) & " " & &hffFF&
Show "&HFFFF", TypeName(&hFFFF) & " " & &hFFFF
Show "&H8000&", TypeName(&h8000&) & " " & &h8000&
Show "&HFFFF8000&", TypeName(&hFFFF8000&) & " " & &hFFFF8000&
Show "&H10000", TypeName(&h10000) & " " & &h10000
Show "&H7FFFFFFF", TypeName(&h7FFFFFFF) & " " & &h7FFFFFFF
Show "&O17&", TypeName(&O17&) & " " & &O17&
Show "32767 / 32768", TypeName(32767) & " " & TypeName(32768)
' Negation binds tighter than ^.
Show "-3^2", -3^2
Show "-2^2", -2^2
Show "2^-1", 2^-1
Show "-2^-2", -2^-2
Show "-x^2", -x^2
Show "10-2^2", 10-2^2
Show "-2^3*2", -2^3*2
Show "- -2^2", - -2^2
