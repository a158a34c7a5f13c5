' Do loops with While/Until before or after the body, plain Do with Exit Do,
' While...Wend, nested Exit Do, Exit Sub / Exit Function.
Dim i, log
i = 0
Do While i < 3
    i = i + 1
Loop
WScript.Echo "do while: " & i
i = 0
Do Until i >= 4
    i = i + 1
Loop
WScript.Echo "do until: " & i
i = 10
Do While i < 3
    i = i + 1
Loop
WScript.Echo "while false at start: " & i
i = 10
Do
    i = i + 1
Loop While i < 3
WScript.Echo "loop while runs once: " & i
i = 10
Do
    i = i + 1
Loop Until True
WScript.Echo "loop until runs once: " & i
i = 0
Do
    i = i + 1
    If i = 7 Then Exit Do
Loop
WScript.Echo "exit do at " & i
i = 0
Do Until i = 3 : i = i + 1 : Loop
WScript.Echo "one-line do: " & i
i = 0
While i < 5
    i = i + 2
Wend
WScript.Echo "while wend: " & i
Dim outer, inner, k
outer = 0
log = ""
Do While outer < 3
    outer = outer + 1
    inner = 0
    Do
        inner = inner + 1
        If inner = 3 Then Exit Do
        log = log & outer & inner & ","
    Loop
Loop
WScript.Echo log
log = ""
i = 0
Do
    i = i + 1
    For k = 1 To 5
        If k > i Then Exit For
        log = log & k
    Next
    log = log & "/"
    If i = 3 Then Exit Do
Loop
WScript.Echo log
WScript.Echo "-- Exit Sub and Exit Function"
Sub EarlySub(stopEarly)
    WScript.Echo "sub start"
    If stopEarly Then Exit Sub
    WScript.Echo "sub end"
End Sub
Function EarlyFunc(stopEarly)
    EarlyFunc = "assigned before exit"
    If stopEarly Then Exit Function
    EarlyFunc = "reached the end"
End Function
Function FindFirst(arr, wanted)
    Dim idx
    FindFirst = -1
    For idx = 0 To UBound(arr)
        If arr(idx) = wanted Then
            FindFirst = idx
            Exit Function
        End If
    Next
End Function
EarlySub True
EarlySub False
WScript.Echo EarlyFunc(True)
WScript.Echo EarlyFunc(False)
WScript.Echo FindFirst(Array("a", "b", "c", "b"), "b")
WScript.Echo FindFirst(Array("a"), "z")
