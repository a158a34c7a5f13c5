' Character codes, repeated characters, trimming, Escape and Unescape, and
' byte strings: ChrB pieces join byte-wise, so binary strings built with &
' are counted and searched by LenB, MidB and InStrB.
Sub Check(label, v)
    If Err.Number <> 0 Then
        WScript.Echo label & " => error " & Err.Number
        Err.Clear
    Else
        WScript.Echo label & " => " & TypeName(v) & " [" & v & "]"
    End If
End Sub
Function Bytes(s)
    Dim i, o
    For i = 1 To LenB(s)
        o = o & AscB(MidB(s, i, 1)) & " "
    Next
    Bytes = LenB(s) & ": " & o
End Function
On Error Resume Next
Dim x, s, i
WScript.Echo "-- codes"
x = Asc("") : Check "Asc empty", x
x = Asc(Empty) : Check "Asc Empty", x
x = Asc(Null) : Check "Asc Null", x
x = AscW("") : Check "AscW empty", x
x = Asc(12) : Check "Asc of a number", x
x = Asc(ChrW(8364)) : Check "Asc euro sign", x
x = Asc(ChrW(&H3042)) : Check "Asc without an ANSI form", x
x = AscW(ChrW(&HFFFF)) : Check "AscW above 7FFF", x
x = AscB(ChrW(&H1234)) : Check "AscB low byte", x
x = AscW(Chr(128)) & " " & AscW(Chr(159)) & " " & AscW(Chr(160)) & " " & AscW(Chr(255)) : Check "Chr uses Windows-1252", x
x = Chr(256) : Check "Chr(256)", x
x = Chr(-1) : Check "Chr(-1)", x
x = Chr(65.5) & Chr(66.5) : Check "Chr rounds to even", x
x = AscW(ChrW(-1)) & " " & AscW(ChrW(-32768)) : Check "ChrW negatives", x
x = ChrW(-32769) : Check "ChrW(-32769)", x
x = ChrW(65536) : Check "ChrW(65536)", x
x = Len(Chr(0) & "a") : Check "Chr(0) is a character", x
WScript.Echo "-- String and Space"
x = String(3, 65) : Check "String code", x
x = String(2, 321) : Check "String code Mod 256", x
x = String(2, 128) : Check "String code 128", AscW(x)
x = String(3, "xy") : Check "String first character", x
x = String(3, "") : Check "String empty", x
x = Space(2.5) : Check "Space rounds", Len(x)
x = Space(-1) : Check "Space(-1)", x
WScript.Echo "-- trimming and case"
x = Len(Trim(vbTab & " a " & vbLf)) : Check "only spaces trimmed", x
x = Len(Trim(ChrW(160) & "a")) : Check "no-break space kept", x
x = LTrim("  a  ") & "|" & RTrim("  a  ") & "|" : Check "LTrim RTrim", x
x = AscW(UCase(ChrW(224))) & " " & AscW(UCase(ChrW(246))) & " " & AscW(UCase(ChrW(255))) & " " & AscW(UCase(ChrW(223))) : Check "UCase beyond ASCII", x
x = AscW(LCase(ChrW(192))) & " " & AscW(LCase(ChrW(214))) & " " & AscW(LCase(ChrW(376))) & " " & AscW(LCase(ChrW(913))) : Check "LCase beyond ASCII", x
x = LCase(True) & UCase(1.5) : Check "LCase of non-strings", x
x = StrReverse(123) : Check "StrReverse number", x
WScript.Echo "-- Escape"
x = Escape(" !""#$%&'()*+,-./:;<=>?@[\]^_`{|}~") : Check "ASCII punctuation", x
x = Escape("AZaz09") : Check "letters and digits", x
x = Escape(Chr(0) & vbTab & Chr(127) & ChrW(233) & ChrW(255) & ChrW(256) & ChrW(8364)) : Check "controls and beyond", x
x = IsNull(Escape(Null)) : Check "Escape Null", x
x = Unescape("%41%u0042%u00e9%2b+") : Check "Unescape", x
x = Unescape("%u004%4%zz%") : Check "malformed kept", x
x = Unescape(Escape("a b" & ChrW(8364) & "%")) : Check "round trip", x
WScript.Echo "-- bytes"
s = ChrB(65) : Check "ChrB", LenB(s) & " " & Len(s)
s = ChrB(65) & ChrB(66) : Check "two ChrB make one character", LenB(s) & " " & Len(s) & " " & Hex(AscW(s))
s = ChrB(72) & ChrB(0) & ChrB(105) & ChrB(0) : Check "UTF-16 bytes", s
s = ChrB(65) & "x" : Check "odd then text", Bytes(s)
s = "ab" & ChrB(67) : Check "text then odd", Bytes(s)
s = LeftB("abc", 3) & LeftB("xyz", 3) : Check "odd then odd", Bytes(s)
s = ChrB(1) & 5 : Check "odd then number", Bytes(s)
s = "" : For i = 1 To 6 : s = s & ChrB(64 + i) : Next
Check "built in a loop", Bytes(s)
Check "InStrB finds built bytes", InStrB(s, ChrB(67) & ChrB(68))
Check "InStrB odd start", InStrB(s, ChrB(68) & ChrB(69))
s = MidB("abcd", 1, 3) & MidB("abcd", 4) : Check "MidB pieces rejoin", s & " " & LenB(s)
x = ChrB(256) : Check "ChrB(256)", x
