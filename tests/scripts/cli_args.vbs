' script-args: "two words" 'q"uote' /out:"my file.txt" /V /empty: /url:http://x/y:z "" - -n /
' WScript.Arguments: every word in order, split into named (/name, /name:value,
' looked up in any case) and unnamed ones as the console host splits them.
Dim a, x, i
Set a = WScript.Arguments
WScript.Echo "Count", a.Count, "Length", a.Length, TypeName(a.Count)
For i = 0 To a.Count - 1
    WScript.Echo i, "[" & a(i) & "]", a.Item(i) = a(i)
Next
For Each x In a
    WScript.StdOut.Write "<" & x & ">"
Next
WScript.StdOut.WriteLine
WScript.Echo "-- named", a.Named.Count, a.Named.Length
For Each x In a.Named
    WScript.Echo x, "[" & a.Named(x) & "]", TypeName(a.Named.Item(x))
Next
WScript.Echo a.Named("OUT"), a.Named("Out") = a.Named.Item("out")
WScript.Echo a.Named.Exists("v"), a.Named.Exists("empty"), a.Named.Exists("nope"), TypeName(a.Named("nope"))
WScript.Echo a.Named("url")
WScript.Echo "-- unnamed", a.Unnamed.Count, a.Unnamed.Length
For i = 0 To a.Unnamed.Count - 1
    WScript.Echo i, "[" & a.Unnamed(i) & "]"
Next
For Each x In WScript.Arguments.Unnamed
    WScript.StdOut.Write "<" & x & ">"
Next
WScript.StdOut.WriteLine
WScript.Echo "-- shortcuts", WScript.Arguments(0), WScript.Arguments.Unnamed(1), WScript.Arguments.Named("out")
WScript.Echo "-- errors"
On Error Resume Next
x = a(a.Count)
WScript.Echo "past the end", Err.Number : Err.Clear
x = a(-1)
WScript.Echo "negative", Err.Number : Err.Clear
x = a.Unnamed(99)
WScript.Echo "unnamed past the end", Err.Number : Err.Clear
x = a("x")
WScript.Echo "not a number", Err.Number : Err.Clear
x = a.Count(1)
WScript.Echo "Count(1)", Err.Number : Err.Clear
a.Length = 3
WScript.Echo "assign Length", Err.Number : Err.Clear
x = a.Named.Exists()
WScript.Echo "Exists()", Err.Number : Err.Clear
a.ShowUsage
WScript.Echo "ShowUsage", Err.Number : Err.Clear
x = a.Nope
WScript.Echo "unknown member", Err.Number : Err.Clear
