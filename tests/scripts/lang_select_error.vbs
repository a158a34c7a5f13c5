' Under On Error Resume Next, a Select Case whose selector fails is skipped
' whole; an If whose condition fails runs its Then block.
Function Boom() : Err.Raise 5 : End Function
On Error Resume Next
Select Case Boom()
    Case 1 : WScript.Echo "case 1"
    Case Else : WScript.Echo "case else"
End Select
WScript.Echo "after the Select: " & Err.Number
Err.Clear
Select Case 1 / 0
    Case Else
        WScript.Echo "not run"
End Select
WScript.Echo "division: " & Err.Number
Err.Clear
Select Case 2
    Case 1 : WScript.Echo "no"
    Case 2
        Select Case Boom()
            Case Else : WScript.Echo "inner not run"
        End Select
        WScript.Echo "the outer Case goes on: " & Err.Number
    Case Else : WScript.Echo "no"
End Select
Err.Clear
If Boom() Then
    WScript.Echo "a failing If condition enters the Then block"
End If
Err.Clear
Sub InSub()
    On Error Resume Next
    Select Case Boom()
        Case Else : WScript.Echo "not run"
    End Select
    WScript.Echo "in a procedure: " & Err.Number
End Sub
InSub
On Error GoTo 0
Select Case Boom()
Case Else
End Select
WScript.Echo "not reached"
