' The console host's Echo: arguments joined by one blank, each converted as
' the console host converts it (Booleans as numbers, Null as "null"), while
' CStr and the streams keep the words True and False.
Class Flag
    Public Default Property Get Value : Value = True : End Property
End Class
Class Plain
    Public X
End Class
Dim d, f
WScript.Echo "a", 1, True
WScript.Echo True, False, Not True, 1 = 1, CBool(5)
WScript.Echo "[" & True & "]", CStr(False), TypeName(True)
WScript.Echo Null, "|", Empty, "|", Null & "x"
WScript.Echo 1.5, -0.25, 1E+20, 1/3, CCur(2.5), CByte(7), &HFF
WScript.Echo #2026-03-04#, #13:05:00#, DateSerial(1999, 12, 31)
Set f = New Flag
WScript.Echo f, "flag"
WScript.Echo
WScript.Echo ""
WScript.Echo "", ""
WScript.StdOut.WriteLine True
WScript.StdOut.Write False
WScript.StdOut.WriteLine
WScript.StdOut.WriteLine Null
WScript.StdErr.WriteLine True
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", False
WScript.Echo d("k"), d.Exists("k"), d.Count
WScript.Echo "-- errors"
On Error Resume Next
WScript.Echo Array(1, 2)
WScript.Echo "array", Err.Number : Err.Clear
WScript.Echo Nothing
WScript.Echo "Nothing", Err.Number : Err.Clear
WScript.Echo New Plain
WScript.Echo "no default", Err.Number : Err.Clear
WScript.Echo "before", Array(1)
WScript.Echo "nothing written for a failed Echo", Err.Number : Err.Clear
