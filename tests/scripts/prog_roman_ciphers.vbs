' String manipulation classics: Roman numerals both ways, ROT13, Caesar and
' Vigenere ciphers, palindromes, reversing words and title case. Mid, Asc,
' Chr, InStr, StrReverse and Split/Join on user text.
Option Explicit
Dim n, e, w, s, t, i

Function ToRoman(ByVal n)
  Dim v, r, i, s
  v = Array(1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1)
  r = Split("M CM D CD C XC L XL X IX V IV I")
  For i = 0 To 12
    Do While n >= v(i)
      s = s & r(i) : n = n - v(i)
    Loop
  Next
  ToRoman = s
End Function
Function FromRoman(ByVal s)
  Dim i, cur, nxt, total
  s = UCase(s)
  For i = 1 To Len(s)
    cur = Val1(Mid(s, i, 1))
    If i < Len(s) Then nxt = Val1(Mid(s, i + 1, 1)) Else nxt = 0
    If cur < nxt Then total = total - cur Else total = total + cur
  Next
  FromRoman = total
End Function
Function Val1(c)
  Val1 = Array(1, 5, 10, 50, 100, 500, 1000)(InStr("IVXLCDM", c) - 1)
End Function
For Each n In Array(1990, 2008, 1666, 3999, 4, 0)
  WScript.Echo n & " -> [" & ToRoman(n) & "] -> [" & FromRoman(ToRoman(n)) & "]"
Next
WScript.Echo FromRoman("mcmxciv"), TypeName(FromRoman("X")), TypeName(FromRoman(""))

Function Rot13(s)
  Dim i, c, r
  For i = 1 To Len(s)
    c = Asc(Mid(s, i, 1))
    If c >= 65 And c <= 90 Then
      c = ((c - 65 + 13) Mod 26) + 65
    ElseIf c >= 97 And c <= 122 Then
      c = ((c - 97 + 13) Mod 26) + 97
    End If
    r = r & Chr(c)
  Next
  Rot13 = r
End Function
WScript.Echo Rot13("Hello, World!"), "|", Rot13(Rot13("Hello, World!"))

Function Caesar(s, k)
  Dim i, ch, base, r
  For i = 1 To Len(s)
    ch = Mid(s, i, 1)
    If UCase(ch) <> LCase(ch) Then
      If ch = UCase(ch) Then base = 65 Else base = 97
      ch = Chr((Asc(ch) - base + k + 26) Mod 26 + base)
    End If
    r = r & ch
  Next
  Caesar = r
End Function
e = Caesar("The Quick Brown Fox Jumps", 3)
WScript.Echo e & " / " & Caesar(e, -3)

Function Vig(txt, key, dir)
  Dim i, j, c, k, r
  For i = 1 To Len(txt)
    c = Mid(UCase(txt), i, 1)
    If c >= "A" And c <= "Z" Then
      k = Asc(Mid(key, (j Mod Len(key)) + 1, 1)) - 65
      r = r & Chr((Asc(c) - 65 + dir * k + 26) Mod 26 + 65)
      j = j + 1
    End If
  Next
  Vig = r
End Function
e = Vig("Beware the Jabberwock, my son! The jaws that bite, the claws that catch!", "VIGENERECIPHER", 1)
WScript.Echo e
WScript.Echo Vig(e, "VIGENERECIPHER", -1)

Function IsPal(s)
  Dim t, i, c
  For i = 1 To Len(s)
    c = LCase(Mid(s, i, 1))
    If InStr("abcdefghijklmnopqrstuvwxyz0123456789", c) > 0 Then t = t & c
  Next
  IsPal = (t = StrReverse(t))
End Function
For Each s In Array("A man, a plan, a canal: Panama", "hello", "", "Was it a car or a cat I saw?", "12321")
  WScript.Echo "[" & s & "] palindrome: " & IsPal(s)
Next

w = Split("The quick brown fox")
For i = 0 To UBound(w) \ 2
  t = w(i) : w(i) = w(UBound(w) - i) : w(UBound(w) - i) = t
Next
WScript.Echo Join(w), "/", StrReverse("The quick brown fox")

Function TitleCase(s)
  Dim w, i
  w = Split(LCase(s), " ")
  For i = 0 To UBound(w)
    If Len(w(i)) > 0 Then w(i) = UCase(Left(w(i), 1)) & Mid(w(i), 2)
  Next
  TitleCase = Join(w, " ")
End Function
WScript.Echo "[" & TitleCase("hELLO wORLD  from vbscript") & "]", "[" & TitleCase("") & "]"
s = "mississippi"
WScript.Echo Len(s) - Len(Replace(s, "s", "")), InStr(s, "ss"), InStrRev(s, "ss"), InStr(5, s, "ss"), InStr(s, "x"), Replace(s, "ss", "SS", 1, 1), Mid(s, 5), Mid(s, 20) & "|"
