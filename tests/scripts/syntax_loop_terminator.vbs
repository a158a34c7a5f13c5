' Loop, Next and Wend, like End, end the statement before them: the loop
' may close on the statement's own line without a colon.
Dim i, s, k
s = ""
For i = 1 To 3 : s = s & i Next
WScript.Echo "For: " & s
For Each k In Array("a", "b") : s = s & k Next
WScript.Echo "For Each: " & s
i = 0
Do : i = i + 1 Loop Until i = 4
WScript.Echo "Do ... Loop Until: " & i
Do While i > 1 : i = i - 1 Loop
WScript.Echo "Do While: " & i
While i < 6 : i = i + 2 Wend
WScript.Echo "While: " & i
For i = 1 To 2
  s = "line " & i Next
WScript.Echo s
' Inside a single-line If the rest of the line belongs to the If: a Next
' there cannot close the loop outside it.
On Error Resume Next
Execute "For i = 1 To 3 : If i Then s = i : Next"
WScript.Echo "Next inside a single-line If is an error: " & CStr(Err.Number <> 0)
