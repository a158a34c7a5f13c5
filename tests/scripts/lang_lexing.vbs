' Lexical structure: case-insensitive names and keywords, comments,
' statement separators, line continuation, string and number literals,
' date literals and bracketed names.
Dim abc
ABC = 5
WScript.Echo aBc
wscript.echo "lower-case call"
WSCRIPT.ECHO "upper-case call"
Dim Xyz : xyz = 1 : XYZ = xyz + 1 : WScript.Echo Xyz
' WScript.Echo "comment line 1"
Rem WScript.Echo "comment line 2"
REM WScript.Echo "comment line 3"
rem WScript.Echo "comment line 4"
WScript.Echo "trailing comment" ' WScript.Echo "not this"
WScript.Echo "rem after colon" : Rem WScript.Echo "not this"
WScript.Echo "apostrophe ' inside a string"
WScript.Echo "Rem inside a string"
IF abc = 5 THEN WSCRIPT.ECHO "IF upper" ELSE WSCRIPT.ECHO "wrong"
if abc = 5 then wscript.echo "if lower" else wscript.echo "wrong"
If abc = 5 Then
    WScript.Echo "block if"
END IF
Dim total
total = 1 + _
        2 + _
        3
WScript.Echo total
WScript.Echo "con" & _
    "cat"
WScript.Echo Join(Array("a", _
    "b", "c"), "-")
WScript.Echo "He said ""hi"""
WScript.Echo Len("""")
WScript.Echo """quoted"""
WScript.Echo Len("")
WScript.Echo "a" & "" & "b"
WScript.Echo &HFF
WScript.Echo &hff
WScript.Echo &H10 + 1
WScript.Echo &HFFFF
WScript.Echo &HFFFF&
WScript.Echo &H8000
WScript.Echo &H7FFF
WScript.Echo &H10000
WScript.Echo &HFFFFFFFF
WScript.Echo &H7FFFFFFF
WScript.Echo &O17
WScript.Echo &o777
WScript.Echo 1E3
WScript.Echo 1.5E2
WScript.Echo 2.5e-3
WScript.Echo 1E+2
WScript.Echo .5
WScript.Echo 007
WScript.Echo CLng(#1/1/2000#)
WScript.Echo CDbl(#1/1/2000 12:00:00 PM#)
WScript.Echo CDbl(#1/1/2000 6:00:00 AM#)
WScript.Echo CDbl(#12/30/1899#)
WScript.Echo CLng(#12/31/1999#)
WScript.Echo CLng(#1/2/2003#)
WScript.Echo #1/1/2000# < #1/2/2000#
Dim [my value]
[my value] = 42
WScript.Echo [my value] + 1
Dim my_var2
my_var2 = "underscore and digit"
WScript.Echo MY_VAR2
	WScript.Echo "tab-indented line"
x1 = 3 : x2 = 4 : WScript.Echo x1 * x2
   WScript.Echo "indented" :   WScript.Echo "after spaces"
