' Comparison operators on numbers, strings (binary, case-sensitive),
' Booleans, dates, Empty, Null and object references (Is).
Class Box
    Public Size
End Class
WScript.Echo 1 < 2
WScript.Echo 2 <= 2
WScript.Echo 3 > 4
WScript.Echo 3 >= 4
WScript.Echo 5 = 5
WScript.Echo 5 <> 5
WScript.Echo 1 = 1.0
WScript.Echo CByte(7) = CLng(7)
WScript.Echo 0.1 + 0.2 = 0.3
WScript.Echo 0.5 + 0.25 = 0.75
WScript.Echo TypeName(1 < 2)
WScript.Echo "-- strings"
WScript.Echo "abc" = "abc"
WScript.Echo "abc" = "ABC"
WScript.Echo "a" < "b"
WScript.Echo "a" < "B"
WScript.Echo "B" < "a"
WScript.Echo "abc" < "abd"
WScript.Echo "ab" < "abc"
WScript.Echo "10" < "9"
WScript.Echo 10 < 9
WScript.Echo "" < "a"
WScript.Echo "a " = "a"
WScript.Echo "-- Booleans and chains"
WScript.Echo True = -1
WScript.Echo False = 0
WScript.Echo 3 > 2 > 1
WScript.Echo 1 < 2 < 3
WScript.Echo 1 + 1 = 2
WScript.Echo "a" & "b" = "ab"
WScript.Echo "-- Empty and Null"
Dim e
WScript.Echo e = 0
WScript.Echo e = ""
WScript.Echo e < 1
WScript.Echo e > -1
WScript.Echo IsNull(Null = Null)
WScript.Echo IsNull(Null <> 1)
WScript.Echo IsNull(1 < Null)
WScript.Echo IsNull("a" = Null)
If Null = Null Then WScript.Echo "wrong" Else WScript.Echo "Null = Null is not True"
If Not (Null = 1) Then WScript.Echo "wrong" Else WScript.Echo "Not Null is not True"
WScript.Echo "-- dates"
WScript.Echo #1/1/2000# < #1/2/2000#
WScript.Echo #3/1/2000# = #3/1/2000#
WScript.Echo #12/31/1999# > #1/1/2000#
WScript.Echo "-- objects"
Dim a, b, c, n
Set a = New Box
Set b = a
Set c = New Box
Set n = Nothing
WScript.Echo a Is b
WScript.Echo a Is c
WScript.Echo n Is Nothing
WScript.Echo a Is Nothing
WScript.Echo Not (a Is c)
a.Size = 3
WScript.Echo b.Size = 3
WScript.Echo c.Size = 3
