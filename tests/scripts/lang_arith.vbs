' Arithmetic operators: values and subtypes of results, overflow promotion
' (Integer -> Long -> Double), / always Double, \ and Mod round their operands
' half to even, ^, precedence and associativity, Empty/Null/Boolean/String
' operands, and the errors they raise.
Sub V(label, value)
    WScript.Echo label & " = " & value
End Sub
Sub T(label, value)
    WScript.Echo label & " = " & value & " (" & TypeName(value) & ")"
End Sub

T "1 + 2", 1 + 2
T "32766 + 1", 32766 + 1
T "32767 + 1", 32767 + 1
T "-32767 - 1", -32767 - 1
T "-32767 - 2", -32767 - 2
T "100 * 100", 100 * 100
T "200 * 200", 200 * 200
T "2147483647 + 1", 2147483647 + 1
T "65536 * 65536", 65536 * 65536
T "100000 * 100000", 100000 * 100000
V "-2147483647 - 2", -2147483647 - 2
T "1 + 100000", 1 + 100000
T "1 + 1.5", 1 + 1.5
T "10 - 15", 10 - 15
T "6 / 3", 6 / 3
T "7 / 2", 7 / 2
T "7 \ 2", 7 \ 2
T "100000 \ 3", 100000 \ 3
T "2147483647 \ 2", 2147483647 \ 2
V "-7 \ 2", -7 \ 2
V "7 \ -2", 7 \ -2
V "5.5 \ 1", 5.5 \ 1
V "4.5 \ 1", 4.5 \ 1
V "6.5 \ 2", 6.5 \ 2
V "7.5 \ 2", 7.5 \ 2
V "10 \ 3.5", 10 \ 3.5
V "10 \ 2.5", 10 \ 2.5
V "2.6 \ 1", 2.6 \ 1
T "7 Mod 3", 7 Mod 3
V "-7 Mod 3", -7 Mod 3
V "7 Mod -3", 7 Mod -3
V "-7 Mod -3", -7 Mod -3
V "5.5 Mod 2", 5.5 Mod 2
V "4.5 Mod 3", 4.5 Mod 3
V "10.4 Mod 3", 10.4 Mod 3
T "2 ^ 10", 2 ^ 10
V "2 ^ -1", 2 ^ -1
V "9 ^ 0.5", 9 ^ 0.5
V "-2 ^ 2", -2 ^ 2
V "(-2) ^ 2", (-2) ^ 2
V "2 ^ 3 ^ 2", 2 ^ 3 ^ 2
V "2 + 3 * 4", 2 + 3 * 4
V "(2 + 3) * 4", (2 + 3) * 4
V "10 - 2 - 3", 10 - 2 - 3
V "100 / 10 / 5", 100 / 10 / 5
V "7 \ 2 * 2", 7 \ 2 * 2
V "10 Mod 3 * 2", 10 Mod 3 * 2
V "5 + 10 Mod 3", 5 + 10 Mod 3
V "17 Mod 5 \ 2", 17 Mod 5 \ 2
V "2 * -3", 2 * -3
V "-(-5)", -(-5)
V "1 + 2 & 3", 1 + 2 & 3
V "1 & 2 + 3", 1 & 2 + 3

WScript.Echo "-- Empty, Null, Boolean, String and Date operands"
Dim e
T "Empty + 1", e + 1
T "Empty + Empty", e + e
V "Empty * 5", e * 5
V "Empty - 3", e - 3
WScript.Echo "Null + 1 is Null: " & IsNull(Null + 1)
WScript.Echo "Null * 0 is Null: " & IsNull(Null * 0)
WScript.Echo "-Null is Null: " & IsNull(-Null)
WScript.Echo "Null \ 2 is Null: " & IsNull(Null \ 2)
V "True + True", True + True
V "True * 5", True * 5
V "-True", -True
V "str 3 * str 4", "3" * "4"
V "str 10 - 1", "10" - 1
T "str 1 + 2", "1" + 2
T "str 1 + str 2", "1" + "2"
V "str 1.5 * 2", "1.5" * 2
V "CByte(200) + CByte(100)", CByte(200) + CByte(100)
WScript.Echo TypeName(#1/1/2000# + 1)
WScript.Echo CLng(#1/1/2000# + 1)
T "date - date", #1/11/2000# - #1/1/2000#

WScript.Echo "-- errors"
On Error Resume Next
Dim r
r = "unchanged"
r = 1 / 0
WScript.Echo "1 / 0: " & Err.Number & " " & Err.Description & ", r " & r
Err.Clear
r = 1 \ 0
WScript.Echo "1 \ 0: " & Err.Number & " " & Err.Description
Err.Clear
r = 5 Mod 0
WScript.Echo "5 Mod 0: " & Err.Number & " " & Err.Description
Err.Clear
r = "a" + 1
WScript.Echo "str a + 1: " & Err.Number & " " & Err.Description
Err.Clear
r = "abc" * 2
WScript.Echo "str abc * 2: " & Err.Number & " " & Err.Description
Err.Clear
r = "x" - "y"
WScript.Echo "str x - str y: " & Err.Number & " " & Err.Description
Err.Clear
r = 1E308 * 10
WScript.Echo "1E308 * 10: " & Err.Number & " " & Err.Description
Err.Clear
WScript.Echo "r is still " & r
