' The For counter takes the start's subtype and each step adds like +:
' Integer + Integer stays Integer until it passes 32767, whatever the limit's
' subtype; a Byte start with an Integer step becomes Integer; a Currency
' step makes a Currency; a Double step a Double.
Dim i, s
Sub Show(label)
    WScript.Echo label & ": " & s & "| after " & i & " " & TypeName(i)
    s = ""
End Sub
For i = 32766 To 32768 : s = s & TypeName(i) & " " : Next : Show "Integer start, Long limit"
For i = 32766 To CInt(32767) : s = s & TypeName(i) & " " : Next : Show "Integer limit"
For i = 1 To 100000 Step 60000 : s = s & TypeName(i) & " " : Next : Show "Long step"
For i = CLng(1) To 3 : s = s & TypeName(i) & " " : Next : Show "Long start"
For i = -32767 To -32769 Step -1 : s = s & TypeName(i) & " " : Next : Show "downward"
For i = CByte(1) To 3 : s = s & TypeName(i) & " " : Next : Show "Byte start"
For i = 1 To 3 Step CCur(1) : s = s & TypeName(i) & " " : Next : Show "Currency step"
For i = 1 To 2 Step 0.5 : s = s & i & " " : Next : Show "Double step"
For i = 1 To 3.5 : s = s & TypeName(i) & " " : Next : Show "Double limit"
