' Public fields seen from outside: an array field indexed and assigned in
' place, an object field taking o.f(k) = v through its default member.
Class Holder
    Public items, dict, cell, plain
    Private Sub Class_Initialize
        ReDim items(2)
        Set dict = CreateObject("Scripting.Dictionary")
        Set cell = New Cell
        plain = 5
    End Sub
End Class
Class Cell
    Private store
    Public Default Property Get Value(k)
        Value = store & "@" & k
    End Property
    Public Property Let Value(k, v)
        store = k & "=" & v
    End Property
End Class
Class Answer
    Public Default Property Get Text
        Text = "forty-two"
    End Property
End Class

Class Registry
    Private items
    Private Sub Class_Initialize
        Set items = CreateObject("Scripting.Dictionary")
    End Sub
    Public Property Get Dict
        Set Dict = items
    End Property
    Public Property Get Names
        Names = Array("a", "b")
    End Property
End Class

Dim h, reg
Set reg = New Registry
' Only a Property Get: the assignment goes to what it returns.
reg.Dict("x") = 1
reg.Dict.Item("y") = 2
WScript.Echo reg.Dict.Count & " " & reg.Dict("x") & reg.Dict("y")
Set reg.Dict("o") = reg
WScript.Echo TypeName(reg.Dict("o"))
WScript.Echo reg.Names()(1) & reg.Names(0)
Set h = New Holder
h.items(0) = "zero"
h.items(2) = New Answer
WScript.Echo Join(h.items, ",")
h.dict("k") = "v"
h.dict("k") = h.dict("k") & "w"
h.dict.Item("n") = 1
WScript.Echo h.dict.Count & " " & h.dict("k") & " " & h.dict("n")
h.cell(3) = "x"
WScript.Echo h.cell(4)
On Error Resume Next
h.items(3) = 1
WScript.Echo "past the end: " & Err.Number
Err.Clear
Set h.items(1) = 5
WScript.Echo "Set a number: " & Err.Number
Err.Clear
h.nothere(1) = 2
WScript.Echo "no such member: " & Err.Number
