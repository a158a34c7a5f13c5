' A For counter that is never declared: a global when one exists, else the
' procedure's own local; either way the loop steps the same variable it started.
Sub UsesGlobal
  For g = 1 To 3 : Next
End Sub
Sub OwnLocal(depth)
  For k = 1 To 2
    If depth < 2 Then OwnLocal depth + 1
    WScript.Echo "depth " & depth & " k " & k
  Next
End Sub
Function Skips
  For m = 1 To 10
    m = m + 2          ' the body moves the counter
    s = s & m & " "
  Next
  Skips = s & "/ " & m
End Function
Function Early
  For e = 10 To 1 Step -3
    If e < 5 Then Exit For
  Next
  Early = e
End Function
Sub InExecute
  Execute "For x = 1 To 3 : t = t & x : Next"
  WScript.Echo "execute " & t & " " & x
End Sub
g = 0
UsesGlobal
WScript.Echo "global " & g
OwnLocal 1
WScript.Echo "k outside [" & k & "]"
WScript.Echo Skips()
WScript.Echo Early()
InExecute
Sub Later
  For h = 5 To 6 : Next
End Sub
Dim h : h = 0
Later
WScript.Echo "after " & h
WScript.Echo "done"
