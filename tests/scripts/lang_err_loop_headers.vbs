' On Error Resume Next and a loop header that fails: the body is entered
' once, like a failing If condition, and Next then leaves the loop.
On Error Resume Next
Dim i, n, x
n = 0
For i = 1 To 1 / 0
    n = n + 1
    WScript.Echo "for body " & n
Next
WScript.Echo "after For: " & Err.Number & " ran " & n
Err.Clear
For i = 1 To 3
    For x = 1 To "many"
        n = n + 1
    Next
Next
WScript.Echo "nested, failing inner header: " & n & " " & Err.Number
Err.Clear
Sub InProc
    On Error Resume Next
    Dim k, c
    For k = CLng("x") To 2
        c = c + 1
    Next
    WScript.Echo "in a procedure: " & c & " " & Err.Number
End Sub
InProc
Err.Clear
For Each x In 42
    WScript.Echo "each body " & IsEmpty(x)
Next
WScript.Echo "after For Each: " & Err.Number
Err.Clear
If 1 / 0 Then
    WScript.Echo "If enters Then"
Else
    WScript.Echo "If Else (wrong)"
End If
Select Case 1 / 0
    Case Else
        WScript.Echo "Select case (wrong)"
End Select
WScript.Echo "Select skipped: " & Err.Number
