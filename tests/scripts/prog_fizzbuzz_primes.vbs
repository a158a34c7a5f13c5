' Classic counting programs: FizzBuzz, the bottles song, leap years, a sieve,
' prime factors, perfect numbers, GCD/LCM and Collatz. Integer arithmetic that
' spills into Long and Double, and numbers joined into text.
Option Explicit
Dim i, j, s, line, y, n, best, bi, c, sum, d

For i = 1 To 15
  If i Mod 15 = 0 Then
    line = line & "FizzBuzz "
  ElseIf i Mod 3 = 0 Then
    line = line & "Fizz "
  ElseIf i Mod 5 = 0 Then
    line = line & "Buzz "
  Else
    line = line & i & " "
  End If
Next
WScript.Echo RTrim(line)

For i = 3 To 0 Step -1
  Select Case i
    Case 0 : WScript.Echo "No more bottles of beer on the wall."
    Case 1 : WScript.Echo "1 bottle of beer on the wall, take it down, no more."
    Case Else : WScript.Echo i & " bottles of beer on the wall, take one down, " & (i - 1) & " left."
  End Select
Next

Function IsLeap(y)
  IsLeap = (y Mod 4 = 0 And y Mod 100 <> 0) Or y Mod 400 = 0
End Function
For Each y In Array(1900, 2000, 2004, 2023, 2100)
  WScript.Echo y & " leap: " & IsLeap(y) & ", Feb has " & Day(DateSerial(y, 3, 0)) & " days"
Next

Dim sieve(100)
For i = 2 To 100 : sieve(i) = True : Next
For i = 2 To Int(Sqr(100))
  If sieve(i) Then
    For j = i * i To 100 Step i : sieve(j) = False : Next
  End If
Next
s = ""
For i = 2 To 100
  If sieve(i) Then s = s & i & " "
Next
WScript.Echo "Primes: " & Trim(s)
WScript.Echo "sieve(4)=" & sieve(4) & " sieve(5)=" & sieve(5) & " sieve(0)=[" & sieve(0) & "]", IsEmpty(sieve(1))

Function Factors(ByVal n)
  Dim f, s : f = 2
  Do While n > 1
    If n Mod f = 0 Then
      s = s & f & " x "
      n = n \ f
    Else
      f = f + 1
    End If
  Loop
  Factors = Left(s, Len(s) - 3)
End Function
WScript.Echo "360 = " & Factors(360)
WScript.Echo "97 = " & Factors(97)
WScript.Echo "2147483646 = " & Factors(2147483646)

s = ""
For n = 2 To 10000
  sum = 1
  For d = 2 To Int(Sqr(n))
    If n Mod d = 0 Then
      sum = sum + d
      If d <> n \ d Then sum = sum + n \ d
    End If
  Next
  If sum = n Then s = s & n & " "
Next
WScript.Echo "Perfect: " & s & "(end)"

Function GCD(a, b)
  If b = 0 Then GCD = a Else GCD = GCD(b, a Mod b)
End Function
WScript.Echo "GCD(48,18)=" & GCD(48, 18), "LCM=" & 48 * 18 / GCD(48, 18), TypeName(48 * 18 / GCD(48, 18)), TypeName(48 * 18 \ GCD(48, 18))
' Mod rounds its operands first, so fractions walk a different path
WScript.Echo "GCD(2.7,1)=" & GCD(2.7, 1), "GCD(1071,462)=" & GCD(1071, 462)

Function Collatz(ByVal n)
  Dim c
  Do While n <> 1
    If n Mod 2 = 0 Then n = n / 2 Else n = 3 * n + 1
    c = c + 1
  Loop
  Collatz = c
End Function
best = 0
For i = 1 To 1000
  c = Collatz(i)
  If c > best Then best = c : bi = i
Next
WScript.Echo "Longest Collatz below 1000: " & bi & " (" & best & " steps)", "[" & Collatz(1) & "]"
