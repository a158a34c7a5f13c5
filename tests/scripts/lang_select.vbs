' Select Case: single values, lists, expressions, strings (case-sensitive),
' Case Else, first match only, no match, test expression evaluated once.
Function Classify(v)
    Select Case v
        Case 1
            Classify = "one"
        Case 2, 3
            Classify = "two or three"
        Case 4, 5, 6
            Classify = "four to six"
        Case Else
            Classify = "other"
    End Select
End Function
WScript.Echo Classify(1)
WScript.Echo Classify(3)
WScript.Echo Classify(6)
WScript.Echo Classify(7)
WScript.Echo Classify(0)
WScript.Echo Classify(2.0)
Select Case LCase("Apple")
    Case "banana"
        WScript.Echo "wrong"
    Case "apple"
        WScript.Echo "apple matched"
End Select
Select Case "ABC"
    Case "abc"
        WScript.Echo "wrong"
    Case Else
        WScript.Echo "string cases are case-sensitive"
End Select
Select Case 2
    Case 2
        WScript.Echo "first match"
    Case 2
        WScript.Echo "wrong: second match"
End Select
Select Case 99
    Case 1
        WScript.Echo "wrong"
End Select
WScript.Echo "after no match"
Dim x
x = 10
Select Case x
    Case x - 1
        WScript.Echo "wrong"
    Case 5 * 2
        WScript.Echo "computed case"
End Select
Dim score
score = 75
Select Case True
    Case score >= 90
        WScript.Echo "grade A"
    Case score >= 70
        WScript.Echo "grade B"
    Case Else
        WScript.Echo "grade F"
End Select
Dim calls
calls = 0
Function NextValue()
    calls = calls + 1
    WScript.Echo "test expression evaluated"
    NextValue = 5
End Function
Select Case NextValue()
    Case 1
        WScript.Echo "wrong"
    Case 3
        WScript.Echo "wrong"
    Case 5
        WScript.Echo "five"
End Select
WScript.Echo "calls = " & calls
Dim e
Select Case e
    Case 0
        WScript.Echo "Empty matches 0"
    Case Else
        WScript.Echo "wrong"
End Select
Select Case "b"
    Case "a" : WScript.Echo "wrong"
    Case "b" : WScript.Echo "colon form"
End Select
Dim i, log
log = ""
For i = 1 To 4
    Select Case i Mod 2
        Case 0
            log = log & "even "
        Case Else
            Select Case i
                Case 1
                    log = log & "one "
                Case Else
                    log = log & "odd "
            End Select
    End Select
Next
WScript.Echo Trim(log)
