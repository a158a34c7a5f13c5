' script-args: a //NoLogo /b //B -c
' Words after the script go to it, except cscript's //options, which are taken
' wherever they stand.
Dim x
For Each x In WScript.Arguments : WScript.StdOut.Write "<" & x & ">" : Next
WScript.StdOut.WriteLine
WScript.Echo WScript.Interactive, WScript.Arguments.Named.Exists("b")
