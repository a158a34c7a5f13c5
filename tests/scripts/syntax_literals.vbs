' Number, string and date literals: their forms, types and values.
Sub Show(label, v) : WScript.Echo label & ": " & TypeName(v) & " " & CStr(v) : End Sub
Show ".5", .5
Show "5.", 5.
Show "1e+5", 1e+5
Show "1E-5", 1E-5
Show "0.1e1", 0.1e1
Show "007", 007
Show "32767", 32767
Show "32768", 32768
Show "2147483647", 2147483647
Show "2147483648", 2147483648
Show "30 digits", 123456789012345678901234567890
Show "&O777", &O777
Show "&O177777", &O177777
Show "&Hff", &Hff
Show "&H7FFF", &H7FFF
Show "&H8000", &H8000
Show "-&H10", -&H10
Show "x = -.5", -.5
Show "doubled quotes", "a""b"
Show "only a quote", """"
Show "empty", ""
Show "apostrophe inside", "it's"
Show "#1/2/2003# = #2003-01-02#", #1/2/2003# = #2003-01-02#
Show "#January 2, 2003# = #1/2/2003#", #January 2, 2003# = #1/2/2003#
Show "# 1/2/2003 # = #1/2/2003#", # 1/2/2003 # = #1/2/2003#
Show "#10:00 PM# = #22:00#", #10:00 PM# = #22:00#
Show "#1/2/2003 6:00 AM# - #1/2/2003#", CDbl(#1/2/2003 6:00 AM# - #1/2/2003#)
Show "date literal type", #1/2/2003#
' "&" and digits: octal where an operand starts, joining after one.
Show "&17", &17
Show "-&17", -&17
Show """a""&1", "a"&1
Show """b""&12+1", "b"&12+1
Show "5&7", 5&7
Show "(1)&2", (1)&2
' "&H" and "&O" glued to an operand join a name; with a blank before them
' (a call's argument) or after an operator they start a literal.
Dim Health, hb, Oa : Health = 5 : hb = 2 : Oa = 3
Show """x""&Health", "x"&Health
Show """y""&hb", "y"&hb
Show """z""&Oa", "z"&Oa
Show "1 + &O7", 1 + &O7
Show "Array(&HA, &O10)(1)", Array(&HA, &O10)(1)
Sub Arg(v) : WScript.Echo "Arg &H10: " & TypeName(v) & " " & v : End Sub
Arg &H10
