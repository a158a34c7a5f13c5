' For loops: counting up and down, fractional steps, the counter after the
' loop, limits and step evaluated once, changing the counter inside,
' Exit For, nesting; For Each over arrays.
Dim i, j, s, n, cnt
s = ""
For i = 1 To 5
    s = s & i
Next
WScript.Echo s
WScript.Echo "after: " & i
s = ""
For i = 10 To 1 Step -3
    s = s & "[" & i & "]"
Next
WScript.Echo s
WScript.Echo "after: " & i
s = ""
For i = 0 To 1 Step 0.25
    s = s & "[" & i & "]"
Next
WScript.Echo s
WScript.Echo "after: " & i
s = ""
For i = 1 To 0 Step -0.5
    s = s & "[" & i & "]"
Next
WScript.Echo s
s = ""
For i = 1.5 To 3
    s = s & "[" & i & "]"
Next
WScript.Echo s & " after: " & i
cnt = 0
For i = 5 To 1
    cnt = cnt + 1
Next
WScript.Echo "no iterations: " & cnt & ", counter " & i
cnt = 0
For i = 1 To 1
    cnt = cnt + 1
Next
WScript.Echo "one iteration: " & cnt & ", counter " & i
n = 3
cnt = 0
For i = 1 To n
    n = 10
    cnt = cnt + 1
Next
WScript.Echo "limit changed inside: " & cnt
Dim stp
stp = 1
cnt = 0
For i = 1 To 5 Step stp
    stp = 2
    cnt = cnt + 1
Next
WScript.Echo "step changed inside: " & cnt
s = ""
For i = 1 To 10
    s = s & i & ";"
    i = i + 1
Next
WScript.Echo s & " counter " & i
Function Limit()
    WScript.Echo "limit evaluated"
    Limit = 3
End Function
cnt = 0
For i = 1 To Limit()
    cnt = cnt + 1
Next
WScript.Echo "iterations " & cnt
For i = 1 To 100
    If i = 4 Then Exit For
Next
WScript.Echo "exit for at " & i
s = ""
For i = 1 To 3
    For j = 1 To 3
        If j = 2 Then Exit For
        s = s & i & j & " "
    Next
    s = s & "| "
Next
WScript.Echo Trim(s)
s = 0
For i = 1 To 1000
    s = s + i
Next
WScript.Echo "sum " & s
WScript.Echo "-- For Each"
Dim item
s = ""
For Each item In Array("a", "b", "c")
    s = s & item
Next
WScript.Echo s
s = ""
For Each item In Split("x,y,z", ",")
    If item = "y" Then Exit For
    s = s & item
Next
WScript.Echo s
cnt = 0
For Each item In Array()
    cnt = cnt + 1
Next
WScript.Echo "empty array iterations: " & cnt
Dim arr(2)
arr(0) = 1 : arr(1) = 2 : arr(2) = 3
s = 0
For Each item In arr
    s = s + item * 10
Next
WScript.Echo s
s = ""
For Each item In Array(Array(1, 2), Array(3))
    For Each j In item
        s = s & j
    Next
    s = s & "/"
Next
WScript.Echo s
