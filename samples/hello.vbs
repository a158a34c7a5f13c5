Option Explicit
Dim name
name = "world"
WScript.Echo "Hello, " & name & "!"
