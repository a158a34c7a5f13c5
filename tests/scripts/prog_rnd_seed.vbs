' Rnd is the 24-bit generator x = (x * 1140671485 + 12820163) mod 2^24:
' the unseeded sequence, Rnd(0) repeating, Rnd(negative) restarting from the
' number's Single bits, and Randomize n replacing the middle of the state.
Dim s, i, x, r1, r2

' before any Rnd the state is its starting value, 327680 / 2^24
WScript.Echo Rnd(0), Rnd(0) * 16777216
For i = 1 To 10 : s = s & Rnd & " " : Next
WScript.Echo s
WScript.Echo Rnd(0) = Rnd(0), Rnd(0)
WScript.Echo Rnd(-1), Rnd, Rnd, Rnd(-1), Rnd(-2), Rnd(-0.5), Rnd(-1E+20)
Randomize 1
WScript.Echo Rnd, Rnd
Rnd -1
Randomize 5
WScript.Echo Rnd, Rnd
Rnd -1
Randomize 5
x = ""
For i = 1 To 10 : x = x & Int(Rnd * 6) + 1 : Next
WScript.Echo "dice: " & x
' the same seed twice gives the same run only after Rnd(-1)
Rnd -1 : Randomize 42 : r1 = Rnd
Rnd -1 : Randomize 42 : r2 = Rnd
WScript.Echo r1 = r2, r1
Randomize 1.5 : WScript.Echo Rnd
Randomize -3 : WScript.Echo Rnd
Randomize "7" : WScript.Echo Rnd
WScript.Echo TypeName(Rnd), TypeName(Rnd(0))
Randomize
x = Rnd
WScript.Echo x >= 0 And x < 1
On Error Resume Next
x = Rnd(Null)
WScript.Echo "Rnd(Null): " & Err.Number
Err.Clear
Randomize "abc"
WScript.Echo "Randomize text: " & Err.Number
