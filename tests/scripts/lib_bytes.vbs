' The B functions count bytes of the UTF-16 storage, odd counts included.
Dim s
WScript.Echo LenB("abc") & " " & LenB("") & " " & LenB(ChrB(65)) & " " & Len(ChrB(65)) & " " & AscB(ChrB(200))
WScript.Echo AscB("A") & " " & AscB(ChrW(&H1234)) & " " & AscB(MidB(ChrW(&H1234), 2, 1))
WScript.Echo LeftB("abc", 2) & " " & LenB(LeftB("abc", 3)) & " " & RightB("abc", 2) & " " & LenB(RightB("abc", 5)) & " " & LenB(RightB("abc", 99))
s = MidB("abc", 1, 5)
WScript.Echo LenB(s) & " " & Len(s) & " " & AscB(MidB(s, 5, 1)) & " " & AscB(RightB(s, 1)) & " " & MidB("abc", 3)
WScript.Echo InStrB("abc", "b") & " " & InStrB("abc", ChrB(99)) & " " & InStrB(s, ChrB(0)) & " " & InStrB(3, "abcabc", "a") & " " & InStrB("abc", "z")
WScript.Echo IsNull(LenB(Null)) & " " & IsNull(MidB(Null, 1)) & " " & IsNull(InStrB("a", Null))
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
s = ChrB(256) : Report "ChrB(256)"
s = AscB("") : Report "AscB empty"
s = MidB("abc", 0) : Report "MidB start 0"
s = LeftB("abc", -1) : Report "LeftB -1"
