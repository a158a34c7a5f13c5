' A number against a string: two variables compare by kind (every number is
' less than every string); against a literal the variable takes the literal's
' type. A literal string turns the number into text, so it never fails; a
' literal number turns the string into a number (13 when it is not one).
Sub Show(label, v)
    WScript.Echo label & ": " & v
End Sub
Sub Try(label)
    If Err.Number <> 0 Then WScript.Echo label & ": error " & Err.Number & " " & Err.Description
    Err.Clear
End Sub

Dim n, s, b
n = 2
Show "n = """"", n = ""
Show "n <> """"", n <> ""
Show """"" = n", "" = n
Show "n = ""2""", n = "2"
Show "n = ""2.0""", n = "2.0"
Show "n < ""abc""", n < "abc"
Show "n > ""10""", n > "10"
Show "1.5 as text", 1.5 = "1.5"
Show "date as text", #1/2/2003# = "1/2/2003"
If n = "" Then WScript.Echo "wrong: 2 = """"" Else WScript.Echo "If n = """" is False"

WScript.Echo "-- a string variable against a number literal"
s = "10"
Show "s > 9", s > 9
Show "s = 10", s = 10
Show "9 < s", 9 < s
Show "s = 10.0", s = 10.0
On Error Resume Next
s = "abc"
Show "s = 1", s = 1
Try "s = 1"
s = ""
Show "s = 0", s = 0
Try "s = 0"
On Error GoTo 0

WScript.Echo "-- two variables: numbers before strings"
Dim x, y
x = 10 : y = "9"
Show "x < y", x < y
Show "y > x", y > x
Show "x = y", x = y
x = 5 : y = "5"
Show "5 = ""5"" as variables", x = y

WScript.Echo "-- Booleans and strings"
Show """true"" <> True", "true" <> True
Show """True"" = True", "True" = True
Show """"" = True", "" = True
Show """"" = False", "" = False
b = True
Show "b = ""True""", b = "True"
Show "b = ""-1""", b = "-1"
s = "True"
Show "s = True", s = True
s = "#FALSE#"
Show "s = False", s = False

WScript.Echo "-- Select Case against literals of the other kind"
Select Case 3
    Case "test": WScript.Echo "wrong: test"
    Case 3: WScript.Echo "Case 3"
End Select
n = 7
Select Case n
    Case "", "x": WScript.Echo "wrong"
    Case "7": WScript.Echo "Case ""7"" (7 as text)"
End Select
s = "12"
Select Case s
    Case 11: WScript.Echo "wrong"
    Case 12: WScript.Echo "Case 12 (the text as a number)"
End Select

WScript.Echo "-- Single against Double at Single precision"
Show "CSng(0.1) = 0.1", CSng(0.1) = 0.1
Show "CSng(0.001 * 0.001) = 0.000001", CSng(0.001 * 0.001) = 0.000001
Show "0.1 = CSng(0.1)", 0.1 = CSng(0.1)
Dim f, d
f = CSng(1 / 3) : d = 1 / 3
Show "f = d", f = d
Show "f < d + 0.0001", f < d + 0.0001
Show "CSng(0.1) = CDbl(0.1000001)", CSng(0.1) = CDbl(0.1000001)
Show "CSng(1) < 1E300", CSng(1) < 1E300
Show "CSng(0.1) + 0.1 = 0.2", CSng(0.1) + 0.1 = 0.2
