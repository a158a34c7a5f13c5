' Without words after the script, Arguments and its parts are empty.
Dim x, n
WScript.Echo WScript.Arguments.Count, WScript.Arguments.Named.Count, WScript.Arguments.Unnamed.Count
n = 0
For Each x In WScript.Arguments : n = n + 1 : Next
For Each x In WScript.Arguments.Named : n = n + 1 : Next
WScript.Echo "loops", n
On Error Resume Next
x = WScript.Arguments(0)
WScript.Echo "Item(0)", Err.Number
