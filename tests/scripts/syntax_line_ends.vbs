' Lines may end in CR alone, LF alone or CR LF, mixed in one file; a' continuation joins across each kind, and tabs are blanks.Dim a, ba = 1 + _2
b = a *	_
3
WScript.Echo a, b
If a = 3 Then	WScript.Echo "block if across CR"End If
WScript.Echo "line", 8