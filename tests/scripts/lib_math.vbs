' Math functions, their domain errors, and the random number generator:
' the fixed starting sequence, Rnd(0), Rnd(negative) and Randomize.
WScript.Echo Sqr(16) & " " & Sqr(2) & " " & Sqr("9") & " " & Sqr(0)
WScript.Echo Atn(1) * 4
WScript.Echo Atn(0) & " " & Cos(0) & " " & Sin(0) & " " & Tan(0)
WScript.Echo Round(Sin(Atn(1) * 2), 10) & " " & Round(Cos(Atn(1) * 4), 10)
WScript.Echo Round(Tan(Atn(1)), 10)
WScript.Echo Exp(0) & " " & Exp(1)
WScript.Echo Log(1) & " " & Log(Exp(2)) & " " & Round(Log(100) / Log(10), 10)
WScript.Echo TypeName(Sqr(4)) & " " & TypeName(Cos(0)) & " " & TypeName(Exp(CInt(1))) & " " & TypeName(Atn(CSng(1)))
WScript.Echo Sqr(Empty) & " " & Exp(Empty) & " " & Cos(Empty)
WScript.Echo "-- Rnd"
WScript.Echo Rnd
WScript.Echo Rnd
WScript.Echo Rnd(0)
WScript.Echo Rnd(1)
WScript.Echo TypeName(Rnd)
WScript.Echo Rnd(-1)
WScript.Echo Rnd(-1)
WScript.Echo Rnd(0)
Dim a, b, c, i, x, ok
Rnd -1
Randomize 5
a = Rnd : b = Rnd : c = Rnd(0)
WScript.Echo (a <> b) & " " & (c = b)
Rnd -1
Randomize 5
WScript.Echo (Rnd = a) & " " & (Rnd = b)
Rnd -3
WScript.Echo Rnd = a
ok = True
Randomize
For i = 1 To 2000
    x = Rnd
    If x < 0 Or x >= 1 Then ok = False
    x = Int(6 * Rnd) + 1
    If x < 1 Or x > 6 Then ok = False
Next
WScript.Echo ok
Randomize 12.5
WScript.Echo TypeName(Rnd)
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
Dim r
r = Log(0) : Report "Log(0)"
r = Log(-1) : Report "Log(-1)"
r = Sqr(-1) : Report "Sqr(-1)"
r = Exp(710) : Report "Exp(710)"
r = Sqr("x") : Report "Sqr(text)"
r = Cos("x") : Report "Cos(text)"
r = Exp(709) : WScript.Echo "Exp(709): " & Err.Number
