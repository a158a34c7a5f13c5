' A statement may follow the Case values on the same line without a colon.
Function Pick(v)
  Select Case v
    Case 1  Pick = "one"
    Case 2, 3 Pick = "two or three" : Pick = Pick & "!"
    Case 10 - 5 Pick = "five"
    Case (4) Pick = "four"
    Case Else Pick = "other"
  End Select
End Function
WScript.Echo Pick(1)
WScript.Echo Pick(3)
WScript.Echo Pick(5)
WScript.Echo Pick(4)
WScript.Echo Pick(9)
Select Case 5
  Case 5 If True Then WScript.Echo "single-line If after Case" : End If
  Case Else WScript.Echo "wrong"
End Select
Select Case 6 : Case 6 WScript.Echo "all on one line" : End Select
Select Case 7
  Case 7
    WScript.Echo "values alone on their line"
End Select
